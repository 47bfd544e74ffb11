#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace morvane {

// The ways the calendar moves from the displayed month.
enum class MonthStep
{
    PreviousMonth,
    NextMonth,
    PreviousYear,
    NextYear,
    ThisMonth,
};

// Year steps from the keyboard stay within these years.
inline constexpr int FirstSteppableYear = 1950;
inline constexpr int LastSteppableYear = 2050;

// The first day, as text, of the month one step away from year/month:
// "2023/12/01", "2024/4/01", "2025/01/01". Months step without bound; a year
// step that would leave 1950 to 2050 gives nothing, and the calendar stays
// where it is. today decides "this month".
std::optional<QString> StepMonth(int year, int month, MonthStep step, QDate today);

} // namespace morvane
