#pragma once

#include "ui_toolkit/ImageList.h"
#include "viewer/ListModel.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QIcon>

namespace morvane {

// The rows of a ListModel as the list view shows them: texts, colours, bold
// rows, the row icon in the first column and the schedule icon in the month
// list's schedule column. The view asks only for the rows it paints, so a
// list of ten thousand records shows at once.
class ListRowsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit ListRowsModel(const ImageList& images, QObject* parent = nullptr);

    // Replaces everything; reportIconColumn is the column that shows the
    // rows' schedule icons (-1 for none).
    void setList(ListModel list, int reportIconColumn = -1);
    const ListModel& list() const { return m_list; }
    const ListRow* rowAt(int row) const;

    // Changes one row in place (the detail box wrote to its record) and
    // repaints it.
    template <typename Change> void changeRow(int row, Change&& change)
    {
        if (row < 0 || row >= int(m_list.rows.size()))
            return;
        change(m_list.rows[std::size_t(row)]);
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    }
    void appendRow(ListRow row);
    void removeRowAt(int row);
    void setStatusCount(int count);

    // The first column's texts can be edited in place (the memo titles);
    // an accepted edit is reported, never stored by the model itself.
    void setTitlesEditable(bool editable) { m_titlesEditable = editable; }
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    void titleEdited(int row, const QString& newText);

public:
    // Sorts the rows by the texts of a column in Japanese order (stable, so
    // equal texts keep their order).
    void sortRows(int column, Qt::SortOrder order);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QIcon icon(const QString& key) const;

    const ImageList& m_images;
    ListModel m_list;
    int m_reportIconColumn = -1;
    bool m_titlesEditable = false;
    mutable QHash<QString, QIcon> m_iconCache;
};

} // namespace morvane
