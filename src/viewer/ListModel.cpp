#include "viewer/ListModel.h"

namespace morvane {

const QString& ListRow::text(std::size_t cell) const
{
    static const QString empty;
    return cell < cells.size() ? cells[cell].text : empty;
}

std::vector<int> ListModel::ListRowMap() const
{
    std::vector<int> map(rows.size() + 1, 0);
    for (std::size_t r = 0; r < rows.size(); ++r)
        map[r + 1] = rows[r].day;
    return map;
}

QString CountText(int count)
{
    return QString::number(count) + QStringLiteral("件");
}

} // namespace morvane
