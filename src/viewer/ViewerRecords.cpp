#include "viewer/ViewerRecords.h"

#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleFields.h"

namespace morvane {

namespace {

// Field positions looked up once per read; a list of ten thousand records
// reads sixty thousand values.
struct FieldIndexes
{
    explicit FieldIndexes(const Recordset& rs)
        : type(rs.FieldIndex(schedule_fields::Type)), year(rs.FieldIndex(schedule_fields::Year)),
          month(rs.FieldIndex(schedule_fields::Month)), day(rs.FieldIndex(schedule_fields::Day)),
          week(rs.FieldIndex(schedule_fields::Week)),
          dayOfTheWeek(rs.FieldIndex(schedule_fields::DayOfTheWeek)),
          color(rs.FieldIndex(schedule_fields::Color)),
          alarm(rs.FieldIndex(schedule_fields::Alarm)),
          message(rs.FieldIndex(schedule_fields::Message))
    {}
    int type, year, month, day, week, dayOfTheWeek, color, alarm, message;
};

SchedulePattern ReadPattern(const Recordset& rs, const FieldIndexes& f)
{
    SchedulePattern p;
    p.type = OptionalInt(rs.GetValue(f.type));
    p.year = OptionalInt(rs.GetValue(f.year));
    p.month = OptionalInt(rs.GetValue(f.month));
    p.day = OptionalInt(rs.GetValue(f.day));
    p.week = OptionalInt(rs.GetValue(f.week));
    p.dayOfTheWeek = OptionalInt(rs.GetValue(f.dayOfTheWeek));
    return p;
}

} // namespace

std::vector<ViewerRecord> ReadViewerRecords(Recordset& schedules, const PatternPredicate& keep)
{
    std::vector<ViewerRecord> records;
    const int count = schedules.RecordCount();
    if (count == 0)
        return records;
    const FieldIndexes f(schedules);
    const ScheduleBoundsReader bounds(schedules);
    records.reserve(keep ? 64 : std::size_t(count));
    int position = 0;
    for (schedules.MoveFirst(); !schedules.IsEOF(); schedules.MoveNext(), ++position) {
        SchedulePattern pattern = ReadPattern(schedules, f);
        if (keep && !keep(pattern))
            continue;
        ViewerRecord record;
        record.position = position;
        record.id = schedules.RecordId();
        record.pattern = pattern;
        record.bounds = bounds.read(schedules);
        record.color = OptionalInt(schedules.GetValue(f.color));
        record.alarm = schedules.GetValue(f.alarm).toString();
        record.message = schedules.GetValue(f.message).toString();
        records.push_back(std::move(record));
    }
    return records;
}

std::vector<qint64> RecordIdsWhere(Recordset& schedules, const PatternPredicate& pick)
{
    std::vector<qint64> ids;
    if (schedules.RecordCount() == 0)
        return ids;
    const FieldIndexes f(schedules);
    for (schedules.MoveFirst(); !schedules.IsEOF(); schedules.MoveNext()) {
        if (pick(ReadPattern(schedules, f)))
            ids.push_back(schedules.RecordId());
    }
    return ids;
}

int DeleteRecordsWhere(Recordset& schedules, const PatternPredicate& broken)
{
    const std::vector<qint64> ids = RecordIdsWhere(schedules, broken);
    for (qint64 id : ids) {
        const int position = schedules.PositionOfRecordId(id);
        if (position < 0)
            continue;
        schedules.SetAbsolutePosition(position);
        schedules.Delete();
    }
    return int(ids.size());
}

} // namespace morvane
