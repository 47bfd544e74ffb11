#include "sync/QtDavTransport.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslError>

namespace morvane {

bool IsLoopbackHost(const QString& host)
{
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

QString CertificateFingerprint(const QSslCertificate& certificate)
{
    return QString::fromLatin1(certificate.digest(QCryptographicHash::Sha256).toHex(':').toUpper());
}

QString RefusedAddress(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() ||
        (scheme != QLatin1String("https") && scheme != QLatin1String("http")))
        return QStringLiteral("サーバーのアドレス %1 は https:// で始まる URL ではありません。")
            .arg(url.toDisplayString(QUrl::RemoveUserInfo));
    if (scheme == QLatin1String("http") && !IsLoopbackHost(url.host()))
        return QStringLiteral("暗号化されない http:// は、このコンピューター自身のサーバーにだけ"
                              "使えます（%1）。https:// を使ってください。")
            .arg(url.host());
    return {};
}

namespace {

QString ReplyFault(QNetworkReply::NetworkError error, const QString& host)
{
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
        return QStringLiteral("サーバー %1 に接続を拒否されました。").arg(host);
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("サーバー %1 が見つかりません。").arg(host);
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
        return QStringLiteral("サーバー %1 が時間内に応答しませんでした。").arg(host);
    case QNetworkReply::RemoteHostClosedError:
        return QStringLiteral("サーバー %1 が接続を切りました。").arg(host);
    case QNetworkReply::SslHandshakeFailedError:
        return QStringLiteral("サーバー %1 の証明書を確認できません。").arg(host);
    default:
        return QStringLiteral("サーバー %1 と通信できません。").arg(host);
    }
}

bool SameOrigin(const QUrl& a, const QUrl& b)
{
    return a.scheme().compare(b.scheme(), Qt::CaseInsensitive) == 0 &&
           a.host().compare(b.host(), Qt::CaseInsensitive) == 0 &&
           a.port(a.scheme() == QLatin1String("https") ? 443 : 80) ==
               b.port(b.scheme() == QLatin1String("https") ? 443 : 80);
}

} // namespace

QtDavTransport::QtDavTransport(QString user, QString password)
    : m_authorization("Basic " + (user + QLatin1Char(':') + password).toUtf8().toBase64())
{
    m_manager.setAutoDeleteReplies(false);
}

DavResponse QtDavTransport::send(const DavRequest& request)
{
    constexpr int kMaxRedirects = 5;
    DavRequest current = request;
    for (int hop = 0;; ++hop) {
        QUrl target;
        DavResponse response = sendOnce(current, &target);
        if (target.isEmpty())
            return response;
        const QUrl resolved = current.url.resolved(target);
        if (!SameOrigin(resolved, current.url)) {
            return DavResponse{0, {}, {}, {},
                               QStringLiteral("サーバー %1 が別のサーバー（%2）へ転送しようとした"
                                              "ため、中止しました。")
                                   .arg(current.url.host(), resolved.host()),
                               {}};
        }
        if (hop == kMaxRedirects) {
            return DavResponse{0, {}, {}, {},
                               QStringLiteral("サーバー %1 の転送が終わりません。")
                                   .arg(current.url.host()),
                               {}};
        }
        current.url = resolved;
    }
}

DavResponse QtDavTransport::sendOnce(const DavRequest& request, QUrl* redirect)
{
    DavResponse response;
    if (const QString refused = RefusedAddress(request.url); !refused.isEmpty()) {
        response.fault = refused;
        return response;
    }
    QNetworkRequest out(request.url);
    // Redirects are followed here, not by Qt, which would turn a PROPFIND
    // or REPORT sent on after a 301 into a GET.
    out.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                     QNetworkRequest::ManualRedirectPolicy);
    out.setTransferTimeout(m_timeoutMs);
    out.setRawHeader("Authorization", m_authorization);
    out.setRawHeader("User-Agent", "Morvane");
    for (const auto& [name, value] : request.headers)
        out.setRawHeader(name, value);
    if (!request.body.isEmpty() && !out.hasRawHeader("Content-Type"))
        out.setRawHeader("Content-Type", "application/xml; charset=utf-8");

    std::unique_ptr<QNetworkReply> reply(
        m_manager.sendCustomRequest(out, request.method, request.body));
    QEventLoop loop;
    const QString host = request.url.host();
    const auto stop = [&](const QString& why) {
        if (response.fault.isEmpty())
            response.fault = why;
        reply->abort();
    };
    const auto tooLarge = [&](qint64 bytes) {
        if (bytes > m_maxBodyBytes)
            stop(QStringLiteral("サーバー %1 の応答が大きすぎます（%2 MB を超えました）。")
                     .arg(host)
                     .arg(m_maxBodyBytes / (1024 * 1024)));
    };
    QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, &loop, [&] {
        tooLarge(reply->header(QNetworkRequest::ContentLengthHeader).toLongLong());
    });
    QObject::connect(reply.get(), &QNetworkReply::downloadProgress, &loop,
                     [&](qint64 received, qint64) { tooLarge(received); });
    QObject::connect(reply.get(), &QNetworkReply::sslErrors, &loop,
                     [&](const QList<QSslError>& errors) {
                         const QSslCertificate certificate = reply->sslConfiguration().peerCertificate();
                         const QString fingerprint = CertificateFingerprint(certificate);
                         if (!certificate.isNull() && !m_trustedFingerprint.isEmpty() &&
                             fingerprint == m_trustedFingerprint) {
                             reply->ignoreSslErrors(errors);
                             return;
                         }
                         response.untrustedFingerprint = fingerprint;
                         stop(QStringLiteral("サーバー %1 の証明書を確認できないため、接続しません"
                                             "（%2）。証明書の SHA-256 指紋：%3")
                                  .arg(host,
                                       errors.isEmpty() ? QString() : errors.front().errorString(),
                                       fingerprint));
                     });
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();

    if (!response.fault.isEmpty()) {
        response.status = 0;
        return response;
    }
    response.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (response.status == 0) {
        response.fault = ReplyFault(reply->error(), host);
        return response;
    }
    const QVariant location = reply->attribute(QNetworkRequest::RedirectionTargetAttribute);
    if (response.status >= 300 && response.status < 400 && location.isValid()) {
        *redirect = location.toUrl();
        return response;
    }
    response.body = reply->readAll();
    response.etag = reply->rawHeader("ETag");
    response.contentType = reply->rawHeader("Content-Type");
    return response;
}

} // namespace morvane
