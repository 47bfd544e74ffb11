#include "interchange/IcsResource.h"

#include "interchange/IcsCommon.h"
#include "interchange/IcsExport.h"

namespace morvane {

QByteArray BuildEventResource(const ScheduleEntry& entry, const QString& uid,
                              const QDateTime& stamp)
{
    if (entry.type == 10)
        return {};
    IcsExportOptions options = IcsExportOptions::At(stamp.toLocalTime());
    int skipped = 0;
    const QByteArray file = BuildIcs({ExportRecord{0, entry}}, options, &skipped);
    if (skipped != 0)
        return {};
    ics::Component calendar(icalparser_parse_string(file.constData()));
    if (!calendar)
        return {};
    icalcomponent* event = icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT);
    if (!event)
        return {};
    icalcomponent_set_uid(event, uid.toUtf8().constData());
    char* text = icalcomponent_as_ical_string_r(calendar.get());
    QByteArray bytes(text);
    free(text);
    return bytes;
}

QString EventResourceUid(const QByteArray& resource)
{
    ics::Component calendar(icalparser_parse_string(resource.constData()));
    if (!calendar)
        return {};
    icalcomponent* event = icalcomponent_isa(calendar.get()) == ICAL_VEVENT_COMPONENT
                               ? calendar.get()
                               : icalcomponent_get_first_component(calendar.get(),
                                                                   ICAL_VEVENT_COMPONENT);
    const char* uid = event ? icalcomponent_get_uid(event) : nullptr;
    return uid ? QString::fromUtf8(uid) : QString();
}

} // namespace morvane
