#include "viewer/ListRowsModel.h"

#include "core/TextCollation.h"

#include <QFont>
#include <algorithm>

namespace morvane {

ListRowsModel::ListRowsModel(const ImageList& images, QObject* parent)
    : QAbstractTableModel(parent), m_images(images)
{}

void ListRowsModel::setList(ListModel list, int reportIconColumn)
{
    beginResetModel();
    m_list = std::move(list);
    m_reportIconColumn = reportIconColumn;
    endResetModel();
}

const ListRow* ListRowsModel::rowAt(int row) const
{
    if (row < 0 || row >= int(m_list.rows.size()))
        return nullptr;
    return &m_list.rows[std::size_t(row)];
}

void ListRowsModel::appendRow(ListRow row)
{
    const int at = int(m_list.rows.size());
    beginInsertRows({}, at, at);
    m_list.rows.push_back(std::move(row));
    endInsertRows();
}

void ListRowsModel::removeRowAt(int row)
{
    if (row < 0 || row >= int(m_list.rows.size()))
        return;
    beginRemoveRows({}, row, row);
    m_list.rows.erase(m_list.rows.begin() + row);
    endRemoveRows();
}

void ListRowsModel::setStatusCount(int count)
{
    m_list.count = count;
    m_list.statusCount = CountText(count);
}

Qt::ItemFlags ListRowsModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags result = QAbstractTableModel::flags(index);
    if (m_titlesEditable && index.column() == 0)
        result |= Qt::ItemIsEditable;
    return result;
}

bool ListRowsModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !m_titlesEditable || index.column() != 0 || !rowAt(index.row()))
        return false;
    // The window decides (a duplicate title is refused) and changes the row.
    emit titleEdited(index.row(), value.toString());
    return false;
}

void ListRowsModel::sortRows(int column, Qt::SortOrder order)
{
    emit layoutAboutToBeChanged();
    const auto column_ = std::size_t(column);
    std::stable_sort(m_list.rows.begin(), m_list.rows.end(),
                     [&](const ListRow& a, const ListRow& b) {
                         const int compared = CompareJapaneseText(a.text(column_), b.text(column_));
                         return order == Qt::AscendingOrder ? compared < 0 : compared > 0;
                     });
    emit layoutChanged();
}

int ListRowsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_list.rows.size());
}

int ListRowsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_list.columns.size());
}

QVariant ListRowsModel::data(const QModelIndex& index, int role) const
{
    const ListRow* row = rowAt(index.row());
    if (!row || index.column() < 0)
        return {};
    const auto column = std::size_t(index.column());
    const ListCell* cell = column < row->cells.size() ? &row->cells[column] : nullptr;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return cell ? cell->text : QString();
    case Qt::DecorationRole:
        if (column == 0 && !row->smallIconKey.isEmpty())
            return icon(row->smallIconKey);
        if (index.column() == m_reportIconColumn && !row->reportIconKey.isEmpty())
            return icon(row->reportIconKey);
        return {};
    case Qt::ForegroundRole:
        if (cell && cell->color)
            return *cell->color;
        return {};
    case Qt::FontRole:
        if (cell && cell->bold) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return {};
    default:
        return {};
    }
}

QVariant ListRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= int(m_list.columns.size()))
        return {};
    const ListColumn& column = m_list.columns[std::size_t(section)];
    if (role == Qt::DisplayRole)
        return column.header;
    if (role == Qt::DecorationRole && !column.headerIconKey.isEmpty())
        return icon(column.headerIconKey);
    return {};
}

QIcon ListRowsModel::icon(const QString& key) const
{
    auto found = m_iconCache.constFind(key);
    if (found != m_iconCache.cend())
        return *found;
    const QIcon made = m_images.icon(key);
    m_iconCache.insert(key, made);
    return made;
}

} // namespace morvane
