#include "sync/QtDavTransport.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace morvane {

bool IsLoopbackHost(const QString& host)
{
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
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
    DavResponse response;
    if (const QString refused = RefusedAddress(request.url); !refused.isEmpty()) {
        response.fault = refused;
        return response;
    }
    QNetworkRequest out(request.url);
    out.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                     QNetworkRequest::UserVerifiedRedirectPolicy);
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
    QObject::connect(reply.get(), &QNetworkReply::redirected, &loop, [&](const QUrl& target) {
        const QUrl resolved = request.url.resolved(target);
        if (!SameOrigin(resolved, request.url)) {
            stop(QStringLiteral("サーバー %1 が別のサーバー（%2）へ転送しようとしたため、"
                                "中止しました。")
                     .arg(host, resolved.host()));
            return;
        }
        emit reply->redirectAllowed();
    });
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
    response.body = reply->readAll();
    response.etag = reply->rawHeader("ETag");
    response.contentType = reply->rawHeader("Content-Type");
    return response;
}

} // namespace morvane
