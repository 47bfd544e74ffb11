#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>

namespace morvane {

struct DavRequest
{
    QByteArray method;
    QUrl url;
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;
};

struct DavResponse
{
    int status = 0;         // the HTTP status; 0 when no answer came
    QByteArray body;
    QByteArray etag;        // the ETag header, when given
    QByteArray contentType;
    QString fault;          // why no usable answer came (refused, timeout, ...), in Japanese
    // The SHA-256 fingerprint (AA:BB:...) of a certificate that could not
    // be verified; the user may confirm it to trust that server.
    QString untrustedFingerprint;

    bool answered() const { return fault.isEmpty() && status != 0; }
    bool success() const { return answered() && status >= 200 && status < 300; }
};

// Sends one request and waits for its answer. The sync speaks to the
// server only through this, so its logic runs against canned answers too.
class DavTransport
{
public:
    virtual ~DavTransport() = default;
    virtual DavResponse send(const DavRequest& request) = 0;
};

} // namespace morvane
