#pragma once

#include <QtGlobal>
#include <array>

// The months of one lunar year of the old Japanese calendar, reckoned from
// the month that holds the winter solstice (the eleventh) to the month before
// the one that holds the next winter solstice.
//
// A month runs from the day of a new moon to the day before the next one (on
// Japan Standard Time). A year of thirteen months has one leap month: the
// first month that holds no principal solar term (a multiple of 30 degrees
// of the sun's longitude); it repeats the number of the month before it.

namespace morvane {

struct LunarYear
{
    static constexpr int kMaxMonths = 13;

    int winterYear = 0; // the Gregorian year of the opening winter solstice
    int monthCount = 0; // 12 or 13
    int leapIndex = -1; // index of the leap month, or -1
    std::array<qint32, kMaxMonths + 1> firstDay{}; // day numbers; [monthCount] opens the next year
    std::array<int, kMaxMonths> number{};          // 1 to 12

    bool Contains(qint32 day) const { return day >= firstDay[0] && day < firstDay[monthCount]; }
};

// Computes the lunar year opened by the winter solstice of December of
// `winterYear`.
LunarYear BuildLunarYear(int winterYear);

// The same, kept for the calling thread in a small table, since a shown month
// asks for the same year over and over.
const LunarYear& CachedLunarYear(int winterYear);

} // namespace morvane
