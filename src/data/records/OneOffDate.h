#pragma once

#include "data/records/SchedulePattern.h"

#include <QDate>
#include <optional>

namespace morvane {

// The last day on which a one-off schedule falls: a concrete year and
// month (neither 0) with a day of the month or the n-th weekday of the
// month (Week 1 to 5). Nothing for a schedule that repeats: every year or
// every month (Year or Month 0), every week (Week 0), the computed equinox
// holidays, which fall in their month of every year; nor for a rule that
// names no day of its month (Day Null or outside the month, a fifth weekday
// the month lacks). A record with both a day and an n-th weekday falls on
// both days; the later one is its last.
std::optional<QDate> OneOffDate(const SchedulePattern& pattern);

} // namespace morvane
