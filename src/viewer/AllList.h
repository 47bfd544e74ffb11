#pragma once

#include "viewer/ListModel.h"
#include "viewer/ViewerRecords.h"

#include <vector>

namespace morvane {

class Recordset;

// The three columns: 予定日 (the rule), 予定内容 (stretching), the alarm.
std::vector<ListColumn> AllListColumns();

// The longest rule label the all list usually shows (an n-th weekday of a
// two-digit month every year); its column is made at least this wide.
inline const QString AllListWidestRule = QStringLiteral("毎年12月第5週水曜日");

// Width of the schedule column for a list this wide (twips).
int AllScheduleColumnWidth(int listWidth);

// One row of the all list for a record (AddScheduleRow without the repair):
// the full rule label with the kind's icon, the text in the record's colour
// and the alarm time. index is the row's 1-based index.
ListRow AllListRow(const ViewerRecord& record, int index);

// Records the all list removes when it meets them: no numeric Type, or Day
// 0. With a type filter only the records of that type are met.
bool IsBrokenForAllList(const SchedulePattern& pattern, int typeFilter);

// The all list: every record (or those of one type) in recordset order.
// Removes the broken records it meets from the table first.
ListModel ShowAllList(Recordset& schedules, int typeFilter);

// The rows alone, from records already read.
ListModel BuildAllList(const std::vector<ViewerRecord>& records, int recordCount);

} // namespace morvane
