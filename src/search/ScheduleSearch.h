#pragma once

#include "search/SearchCriteria.h"
#include "search/SearchRows.h"

#include <vector>

namespace morvane {

class Recordset;

struct SearchOutcome
{
    // False when the range was in the wrong order: nothing was searched.
    bool rangeInOrder = true;
    std::vector<SearchRow> rows;
    // Rows plus the broken records removed on the way.
    int count = 0;
    // Records whose Type was not a number; they were deleted.
    int removedBroken = 0;
};

// Runs the search over the Schedule recordset: every record the criterion
// finds, in recordset order, is either removed (a Type that is not a
// number, the repair every list makes), skipped by the second check, or
// listed. The recordset is left on the last record visited. EngineError
// when a deletion cannot be written; the rows found so far are then lost
// with the exception, the records deleted so far stay deleted.
SearchOutcome RunScheduleSearch(Recordset& schedules, const SearchRequest& request);

} // namespace morvane
