#pragma once

#include <QString>

namespace morvane {

// The search that finds every schedule a month may show: those of the year
// or of every year, and of the month or of every month. The text is the one
// the data file has always been searched with, numbers spelt with their
// leading blank and no blank before "Or":
//   ([Year] =  2026Or [Year] = 0) and ([Month] =  5Or [Month] = 0)
QString MonthScheduleFilter(int year, int month);

} // namespace morvane
