#pragma once

#include "sync/DavTransport.h"

#include <QNetworkAccessManager>

namespace morvane {

// Whether a plain http:// address is allowed: only to this machine.
bool IsLoopbackHost(const QString& host);
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

    DavResponse send(const DavRequest& request) override;

private:
    QNetworkAccessManager m_manager;
    QByteArray m_authorization;
    int m_timeoutMs = 30000;
    qint64 m_maxBodyBytes = 64LL * 1024 * 1024;
};

} // namespace morvane
