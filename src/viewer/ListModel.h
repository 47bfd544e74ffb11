#pragma once

#include <QColor>
#include <QString>
#include <optional>
#include <vector>

namespace morvane {

// One cell of a list row. A cell without a colour keeps the list's default
// text colour.
struct ListCell
{
    QString text;
    std::optional<QColor> color;
    bool bold = false;
};

struct ListColumn
{
    QString header;
    // Width in twips; StretchWidth columns take what the list leaves them.
    int width = 0;
    // Icon of the header (the alarm column), "" for none.
    QString headerIconKey;
};

// A column whose width follows the list (the schedule text column).
inline constexpr int StretchWidth = -1;

// One list row: cells[0] is the row's own text, cells[1...] its sub-items.
struct ListRow
{
    std::vector<ListCell> cells;
    // Icon of the row (the all list's rule column), "" for none.
    QString smallIconKey;
    // Icon of the schedule cell in the month list, "" for none.
    QString reportIconKey;
    // RowKey of a row that stands for a record; "" for every other row.
    QString key;
    // The stable id of that record beside its position, so that an action
    // can tell when the position has come to hold another record.
    qint64 recordId = 0;
    // Month list: the day of month the row belongs to (its ListRowMap entry).
    int day = 0;

    const QString& text(std::size_t cell) const;
};

// What a list builder produces for the window: caption, status texts, the
// columns and the rows.
struct ListModel
{
    QString caption;     // window caption
    QString statusTitle; // status panel 3
    QString statusCount; // status panel 4, count & "件"
    int count = 0;       // what statusCount counts
    std::vector<ListColumn> columns;
    std::vector<ListRow> rows;

    // Day of month per row, indexed from 1 by row (entry 0 unused).
    std::vector<int> ListRowMap() const;
};

QString CountText(int count);

} // namespace morvane
