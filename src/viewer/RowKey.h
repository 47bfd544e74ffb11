#pragma once

#include <QString>
#include <optional>

namespace morvane {

class Recordset;
struct ListRow;

// The key of a row that stands for a Schedule record: "K", the record's
// position, "K", a second number; each number with at least four digits
// ("K0012K0003"). Positions from 10000 on simply take more digits
// ("K12345K0003"), so every record of a large table can be addressed.
QString MakeRowKey(int position, int second);

// The position a key holds: the digits between the first and the second
// "K". Nothing for a key that is not of that form.
std::optional<int> RowKeyPosition(const QString& key);

// Makes the record a row stands for current. False, leaving the recordset
// where it was, when the row has no key or its position no longer holds the
// record the row was built for (a deletion moved it): the caller then
// refreshes the list instead of acting on another record.
bool MoveToRowRecord(Recordset& schedules, const ListRow& row);

} // namespace morvane
