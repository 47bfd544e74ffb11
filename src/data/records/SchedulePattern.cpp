#include "data/records/SchedulePattern.h"

#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleFields.h"

namespace morvane {

std::optional<int> OptionalInt(const Value& value)
{
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

Value NullableInt(const std::optional<int>& number)
{
    return number ? Value(*number) : Value::Null();
}

SchedulePattern ReadSchedulePattern(const Recordset& rs)
{
    namespace f = schedule_fields;
    SchedulePattern p;
    p.type = OptionalInt(rs.GetValue(f::Type));
    p.year = OptionalInt(rs.GetValue(f::Year));
    p.month = OptionalInt(rs.GetValue(f::Month));
    p.day = OptionalInt(rs.GetValue(f::Day));
    p.week = OptionalInt(rs.GetValue(f::Week));
    p.dayOfTheWeek = OptionalInt(rs.GetValue(f::DayOfTheWeek));
    return p;
}

} // namespace morvane
