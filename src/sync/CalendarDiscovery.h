#pragma once

#include <QString>
#include <QUrl>
#include <vector>

namespace morvane {

class DavTransport;

struct FoundCalendar
{
    QUrl url;
    QString displayName;
};

struct CalendarSearch
{
    std::vector<FoundCalendar> calendars; // collections that hold events, in the server's order
    QString failure;

    bool ok() const { return failure.isEmpty(); }
};

// The user's calendars from a server address: the address itself when it
// is a calendar collection; otherwise its current-user-principal, or the
// one /.well-known/caldav leads to, then the principal's calendar-home-set
// and the calendar collections in it that hold VEVENTs.
CalendarSearch FindCalendars(DavTransport& transport, const QUrl& server);

struct SyncTarget
{
    QUrl collection;
    QString failure;

    bool ok() const { return failure.isEmpty(); }
};

// The collection a sync works on: the calendar picked on the options page
// when there is one, otherwise the first calendar found from the server
// address. An address the transport may not use is refused with the reason.
SyncTarget CollectionToSync(DavTransport& transport, const QUrl& server, const QString& picked);

} // namespace morvane
