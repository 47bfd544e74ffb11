#pragma once

#include "interchange/ScheduleEntry.h"

#include <QString>
#include <vector>

namespace morvane {

class Database;
class Recordset;

struct IcsApplyResult
{
    int added = 0;
    int duplicates = 0; // already in the table: not added again
    std::vector<bool> entryAdded; // for each entry given: whether it was added
    QString error;      // set when nothing was written
    bool ok() const { return error.isEmpty(); }
};

// Adds the entries a schedule of the same rule, kind, text and times does
// not already stand for, all in one batch: a failure on the way writes
// nothing.
IcsApplyResult ApplyIcsEntries(Database& database, Recordset& schedules,
                               const std::vector<ScheduleEntry>& entries);

} // namespace morvane
