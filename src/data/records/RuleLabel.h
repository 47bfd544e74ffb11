#pragma once

#include "data/records/ScheduleBounds.h"
#include "data/records/SchedulePattern.h"

#include <QString>

namespace morvane {

// The full description of a record's rule, as the lists, the CSV export and
// the search results show it: year part and month part always written
// ("毎年毎月15日", "毎年5月第2週日曜日", "毎年3月(日計算)"). A Null Year or
// Month contributes only its unit.
QString RuleLabel(const SchedulePattern& pattern);

// The bounds in brackets after a rule: "（2026年6月3日から）",
// "（2026年12月31日まで）", "（2026年6月3日から2026年12月31日まで）"; "" when
// there is no first or last day. Skipped days are not named.
QString BoundsLabel(const ScheduleBounds& bounds);

// RuleLabel followed by BoundsLabel.
QString RuleLabel(const SchedulePattern& pattern, const ScheduleBounds& bounds);

// The day editor's compact description of (year, month, day, week, weekday):
// a 0 year or month collapses into "毎年"/"毎月", a day below 1 means a
// weekday rule. (0, 5, 5) gives 毎年5月5日, (0, 0, -1, 0, 2) 毎週月曜日.
QString MakeDateLabel(int year, int month, int day, int week = 0, int weekday = 0);

// MakeDateLabel of a stored record: a non-numeric Day counts as 0, a Week
// that is Null or -1 as 0, a Null weekday as 0. An equinox-day holiday reads
// "毎年3月(日計算)" as in the other lists.
QString MakeDateLabel(const SchedulePattern& pattern);

} // namespace morvane
