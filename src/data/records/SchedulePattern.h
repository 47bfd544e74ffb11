#pragma once

#include <optional>

namespace morvane {

class Recordset;
class Value;

// The date-rule fields of one schedule record as stored; any of them may be
// Null.
struct SchedulePattern
{
    std::optional<int> type;
    std::optional<int> year;
    std::optional<int> month;
    std::optional<int> day;
    std::optional<int> week;
    std::optional<int> dayOfTheWeek;
};

// A stored number field: nothing for Null or a text that is not a number.
std::optional<int> OptionalInt(const Value& value);

// The number as a stored field value; Null for nothing.
Value NullableInt(const std::optional<int>& number);

// The rule fields of the current record of a Schedule recordset.
SchedulePattern ReadSchedulePattern(const Recordset& schedules);

} // namespace morvane
