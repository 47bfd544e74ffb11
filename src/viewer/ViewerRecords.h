#pragma once

#include "data/records/ScheduleBounds.h"
#include "data/records/SchedulePattern.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace morvane {

class Recordset;

// One Schedule record as the lists read it. Null fields stay empty.
struct ViewerRecord
{
    int position = -1;
    qint64 id = 0;
    SchedulePattern pattern;
    ScheduleBounds bounds; // the days the rule is held to
    std::optional<int> color;
    QString alarm;
    QString message;
};

// Which records a read keeps, judged on their rule fields; the record is
// current while it is judged, so a predicate may read more of it.
using PatternPredicate = std::function<bool(const SchedulePattern&)>;

// Every record in recordset order, or those the predicate keeps; colour,
// alarm and text are read only for the kept ones. Leaves no record current
// that a caller may rely on.
std::vector<ViewerRecord> ReadViewerRecords(Recordset& schedules,
                                            const PatternPredicate& keep = {});

// Ids of the records the predicate names, in recordset order.
std::vector<qint64> RecordIdsWhere(Recordset& schedules, const PatternPredicate& pick);

// Deletes the records the predicate names (the repair of records the lists
// and the export cannot show: no numeric Type, or Day 0). Returns how many
// were deleted.
int DeleteRecordsWhere(Recordset& schedules, const PatternPredicate& broken);

} // namespace morvane
