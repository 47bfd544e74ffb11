#include "calendar_math/DateFormat.h"

#include <array>

namespace morvane {

namespace {

struct EraEntry
{
    const char16_t* name;
    const char16_t* initial;
    int year;
    int month;
    int day;
};

// Newest first, so the first era that has begun is the one a date lies in.
constexpr std::array<EraEntry, 5> kEras = {{
    {u"令和", u"R", 2019, 5, 1},
    {u"平成", u"H", 1989, 1, 8},
    {u"昭和", u"S", 1926, 12, 25},
    {u"大正", u"T", 1912, 7, 30},
    {u"明治", u"M", 1868, 9, 8},
}};

} // namespace

JapaneseEra EraOf(QDate date)
{
    if (!date.isValid())
        return {};
    for (const EraEntry& era : kEras) {
        const QDate firstDay(era.year, era.month, era.day);
        if (date >= firstDay)
            return {QString::fromUtf16(era.name), QString::fromUtf16(era.initial), firstDay};
    }
    return {};
}

int EraYear(QDate date)
{
    const JapaneseEra era = EraOf(date);
    if (!era.firstDay.isValid())
        return date.year();
    return date.year() - era.firstDay.year() + 1;
}

} // namespace morvane
