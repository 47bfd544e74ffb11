#include "search/ScheduleSearch.h"

#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleFields.h"
#include "search/SecondCheck.h"

namespace morvane {

namespace f = schedule_fields;

SearchOutcome RunScheduleSearch(Recordset& rs, const SearchRequest& request)
{
    SearchOutcome outcome;
    if (!RangeInOrder(request)) {
        outcome.rangeInOrder = false;
        return outcome;
    }
    const QString criterion = BuildSearchCriterion(request);
    const SearchBounds bounds = SearchBoundsFor(request.start, request.end);

    // No events run inside the loop: the alarm tick uses the same recordset.
    rs.FindFirst(criterion);
    while (!rs.NoMatch()) {
        const SchedulePattern record = ReadSchedulePattern(rs);
        if (!record.type) {
            rs.Delete();
            ++outcome.removedBroken;
            ++outcome.count;
        } else if (PassesSecondCheck(record, bounds)) {
            const int rowNumber = int(outcome.rows.size()) + 1;
            outcome.rows.push_back(MakeSearchRow(record, rs.GetValue(f::Message).toString(),
                                                 OptionalInt(rs.GetValue(f::Color)),
                                                 rs.AbsolutePosition(), rs.RecordId(), rowNumber));
            ++outcome.count;
        }
        rs.FindNext(criterion);
    }
    return outcome;
}

} // namespace morvane
