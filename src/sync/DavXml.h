#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace morvane {

// One <response> of a WebDAV multistatus answer, with the properties its
// successful <propstat>s carried.
struct DavResource
{
    QString href;
    int status = 0; // the response's own status (404: removed in a sync report); 0 when none
    QString etag;
    QByteArray calendarData;
    QString displayName;
    bool isCollection = false;
    bool isCalendar = false;
    bool componentsGiven = false;
    QStringList components; // supported-calendar-component-set: VEVENT, VTODO, ...
    QString principal;      // current-user-principal
    QStringList homeSets;   // calendar-home-set

    bool holdsEvents() const { return !componentsGiven || components.contains(QLatin1String("VEVENT")); }
};

struct DavMultistatus
{
    std::vector<DavResource> resources;
    QString syncToken;
    QString error; // why the body is not a multistatus answer; empty when it is

    bool ok() const { return error.isEmpty(); }
};

// Reads a multistatus body. Anything else (an HTML page, malformed XML)
// gives an error naming what was found.
DavMultistatus ParseMultistatus(const QByteArray& body);

// Request bodies.
QByteArray PropfindBody(); // the properties discovery and listing use
QByteArray SyncCollectionBody(const QString& syncToken);
QByteArray CalendarQueryEtagsBody(); // every VEVENT resource's ETag
QByteArray MultigetBody(const QStringList& hrefs);

// The precondition an error answer names (valid-sync-token, ...), or empty.
QString DavErrorCondition(const QByteArray& body);

} // namespace morvane
