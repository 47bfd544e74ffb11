#pragma once

#include <QDate>
#include <QString>
#include <QTime>
#include <memory>
#include <optional>

extern "C" {
#include <libical/ical.h>
}

// What export and import of iCalendar files share: ownership of libical's
// objects, the names of our own properties, and the colour and kind names.
namespace morvane::ics {

struct ComponentFree
{
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

// Our own properties, for what iCalendar cannot say: the exact kind (the
// categories name it for other programs), the mark, the birth year and
// person, and the record a group of computed holiday dates came from.
inline constexpr char kTypeProperty[] = "X-MORVANE-TYPE";
inline constexpr char kMarkProperty[] = "X-MORVANE-MARK";
inline constexpr char kBirthYearProperty[] = "X-MORVANE-BIRTHYEAR";
inline constexpr char kBirthPersonProperty[] = "X-MORVANE-BIRTHPERSON";

// The CSS colour name (RFC 7986 COLOR) of a palette index 1 to 15.
QString ColorName(int code);
// The palette index of a CSS colour name; 0 for a name not in the palette.
int ColorCode(const QString& name);

// The CATEGORIES name of a kind: the editor's kind names; the computed
// equinox holiday is a holiday.
QString CategoryName(int type);
// The kind of a category name; nothing for a name that is not ours.
std::optional<int> TypeOfCategory(const QString& name);

// A start or end as the user's own date and time.
struct LocalMoment
{
    QDate date;
    QTime time; // invalid for a whole day
};

// Floating times as they stand, UTC and zoned times in the local zone.
LocalMoment ToLocal(const icaltimetype& t);

// The X- property's value in component, or nothing.
std::optional<QString> XValue(icalcomponent* component, const char* name);

} // namespace morvane::ics
