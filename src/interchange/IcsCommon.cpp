#include "interchange/IcsCommon.h"

#include "data/records/ScheduleCodes.h"

#include <QDateTime>
#include <array>

namespace morvane::ics {

namespace {

// The QuickBASIC palette by index, under the CSS names of the same colours.
constexpr std::array<const char*, 16> kPaletteNames{
    "black", "navy", "green", "teal", "maroon", "purple",  "olive",  "silver",
    "gray",  "blue", "lime",  "aqua", "red",    "fuchsia", "yellow", "white"};

} // namespace

QString ColorName(int code)
{
    if (code < 1 || code >= int(kPaletteNames.size()))
        return {};
    return QString::fromLatin1(kPaletteNames[std::size_t(code)]);
}

int ColorCode(const QString& name)
{
    const QString wanted = name.trimmed().toLower();
    // Synonyms CSS gives the same colours.
    if (wanted == QLatin1String("cyan"))
        return 11;
    if (wanted == QLatin1String("magenta"))
        return 13;
    if (wanted == QLatin1String("grey"))
        return 8;
    for (std::size_t i = 1; i < kPaletteNames.size(); ++i) {
        if (wanted == QLatin1String(kPaletteNames[i]))
            return int(i);
    }
    return 0;
}

QString CategoryName(int type)
{
    return KindName(type == int(ScheduleKind::EquinoxHoliday) ? int(ScheduleKind::Holiday) : type);
}

std::optional<int> TypeOfCategory(const QString& name)
{
    const QString wanted = name.trimmed();
    for (const ScheduleKind kind : ListedScheduleKinds()) {
        if (KindName(int(kind)) == wanted)
            return int(kind);
    }
    return std::nullopt;
}

std::optional<QString> XValue(icalcomponent* component, const char* name)
{
    for (icalproperty* p = icalcomponent_get_first_property(component, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(component, ICAL_X_PROPERTY)) {
        const char* xName = icalproperty_get_x_name(p);
        if (xName && qstricmp(xName, name) == 0) {
            const char* value = icalproperty_get_x(p);
            return QString::fromUtf8(value ? value : "");
        }
    }
    return std::nullopt;
}

LocalMoment ToLocal(const icaltimetype& t)
{
    if (icaltime_is_null_time(t))
        return {};
    if (t.is_date)
        return {QDate(t.year, t.month, t.day), QTime()};
    if (!t.zone && !icaltime_is_utc(t))
        return {QDate(t.year, t.month, t.day), QTime(t.hour, t.minute)};
    const icaltimezone* zone = t.zone ? t.zone : icaltimezone_get_utc_timezone();
    const QDateTime local =
        QDateTime::fromSecsSinceEpoch(icaltime_as_timet_with_zone(t, zone)).toLocalTime();
    return {local.date(), QTime(local.time().hour(), local.time().minute())};
}

} // namespace morvane::ics
