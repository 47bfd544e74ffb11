#pragma once

#include "data/records/SchedulePattern.h"

#include <QString>
#include <optional>

namespace morvane {

// The alarm window's caption line: the record's date rule, its alarm time
// and " のアラーム", e.g. "[毎月15日 9:05] のアラーム",
// "[2026年12月8日 9:30] のアラーム", "[毎週月曜日 8:00] のアラーム",
// "[毎月第2週火曜日 10:00] のアラーム". An alarm that is not a time leaves out
// the time and the closing bracket.
QString AlarmCaptionLine(const SchedulePattern& pattern, const std::optional<QString>& alarm);

} // namespace morvane
