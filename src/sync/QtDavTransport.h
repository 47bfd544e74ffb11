#pragma once

#include "sync/DavTransport.h"

#include <QNetworkAccessManager>
#include <QSslCertificate>

namespace morvane {

// Whether a plain http:// address is allowed: only to this machine.
bool IsLoopbackHost(const QString& host);
// "AA:BB:..." of a certificate's SHA-256 digest.
QString CertificateFingerprint(const QSslCertificate& certificate);
// Why the sync refuses to send to url (plain http to another machine, a
// scheme that is not http or https), or empty.
QString RefusedAddress(const QUrl& url);

// HTTP through Qt Network, waiting in a local event loop. Every fault ends
// in DavResponse::fault: refused, timed out, a redirect to another host
// or scheme, a body larger than maxBodyBytes. The password goes only into
// the Authorization header, never into a message.
class QtDavTransport final : public DavTransport
{
public:
    QtDavTransport(QString user, QString password);

    void setTimeoutMs(int ms) { m_timeoutMs = ms; }
    void setMaxBodyBytes(qint64 bytes) { m_maxBodyBytes = bytes; }
    // A certificate the user confirmed by its SHA-256 fingerprint
    // (AA:BB:... as CertificateFingerprint gives it) is taken although it
    // cannot be verified; every other unverified one is refused.
    void setTrustedFingerprint(const QString& fingerprint) { m_trustedFingerprint = fingerprint; }

    DavResponse send(const DavRequest& request) override;

private:
    // One exchange; a redirect's target goes to *redirect instead of an answer.
    DavResponse sendOnce(const DavRequest& request, QUrl* redirect);

    QNetworkAccessManager m_manager;
    QByteArray m_authorization;
    int m_timeoutMs = 30000;
    qint64 m_maxBodyBytes = 64LL * 1024 * 1024;
    QString m_trustedFingerprint;
};

} // namespace morvane
