#include "search/ScheduleSearch.h"

#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleFields.h"
#include "search/SecondCheck.h"

namespace morvane {

namespace f = schedule_fields;

namespace {

// The fields a row reads, looked up once per search instead of by name for
// every record.
struct RowFields
{
    explicit RowFields(const Recordset& rs)
        : type(rs.FieldIndex(f::Type)), year(rs.FieldIndex(f::Year)),
          month(rs.FieldIndex(f::Month)), day(rs.FieldIndex(f::Day)), week(rs.FieldIndex(f::Week)),
          dayOfTheWeek(rs.FieldIndex(f::DayOfTheWeek)), color(rs.FieldIndex(f::Color)),
          message(rs.FieldIndex(f::Message))
    {}

    SchedulePattern pattern(const Recordset& rs) const
    {
        return SchedulePattern{
            OptionalInt(rs.GetValue(type)),  OptionalInt(rs.GetValue(year)),
            OptionalInt(rs.GetValue(month)), OptionalInt(rs.GetValue(day)),
            OptionalInt(rs.GetValue(week)),  OptionalInt(rs.GetValue(dayOfTheWeek))};
    }

    int type, year, month, day, week, dayOfTheWeek, color, message;
};

} // namespace

SearchOutcome RunScheduleSearch(Recordset& rs, const SearchRequest& request)
{
    SearchOutcome outcome;
    if (!RangeInOrder(request)) {
        outcome.rangeInOrder = false;
        return outcome;
    }
    const QString criterion = BuildSearchCriterion(request);
    const SearchBounds bounds = SearchBoundsFor(request.start, request.end);
    const RowFields fields(rs);
    const ScheduleBoundsReader scheduleBounds(rs);

    // No events run inside the loop: the alarm tick uses the same recordset.
    rs.FindFirst(criterion);
    while (!rs.NoMatch()) {
        const SchedulePattern record = fields.pattern(rs);
        if (!record.type) {
            rs.Delete();
            ++outcome.removedBroken;
            ++outcome.count;
        } else if (PassesSecondCheck(record, bounds)) {
            const ScheduleBounds held = scheduleBounds.read(rs);
            if (ScheduleBoundsMeetRange(record, held, bounds)) {
                const int rowNumber = int(outcome.rows.size()) + 1;
                outcome.rows.push_back(MakeSearchRow(record, rs.GetValue(fields.message).toString(),
                                                     OptionalInt(rs.GetValue(fields.color)),
                                                     rs.AbsolutePosition(), rs.RecordId(),
                                                     rowNumber, held));
                ++outcome.count;
            }
        }
        rs.FindNext(criterion);
    }
    return outcome;
}

} // namespace morvane
