// The lists of the viewer: which list the selected node asks for, filling
// the view, the node click and the row events.
#include "calendar_window/month/SettingColor.h"
#include "context/AppContext.h"
#include "core/ActivityLog.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/MemoBook.h"
#include "data/records/ScheduleDatabase.h"
#include "data/records/ScheduleFields.h"
#include "ui_toolkit/CalendarImages.h"
#include "ui_toolkit/MousePointer.h"
#include "ui_toolkit/MsgBox.h"
#include "ui_toolkit/Twips.h"
#include "viewer/AllList.h"
#include "viewer/ListRowsModel.h"
#include "viewer/ListViewFrm.h"
#include "viewer/LogList.h"
#include "viewer/MonthList.h"
#include "viewer/ViewerCommands.h"

#include <QAction>
#include <QDir>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTreeView>
#include <QTreeWidget>

namespace morvane {

namespace {

constexpr int MonthScheduleColumn = 3;
constexpr int AllScheduleColumn = 1;

} // namespace

const ListModel& ListViewFrm::list() const
{
    return m_rows->list();
}

QString ListViewFrm::selectedPath() const
{
    return FullPath(TreeView1->currentItem());
}

bool ListViewFrm::selectPath(const QString& fullPath)
{
    for (QTreeWidgetItemIterator it(TreeView1); *it; ++it) {
        if (FullPath(*it) == fullPath) {
            if (TreeView1->currentItem() == *it)
                TreeView1_NodeClick(*it);
            else
                TreeView1->setCurrentItem(*it); // runs the node click
            return true;
        }
    }
    return false;
}

std::vector<int> ListViewFrm::selectedRows() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : ListView1->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void ListViewFrm::selectRow(int row)
{
    const QModelIndex index = m_rows->index(row, 0);
    if (!index.isValid())
        return;
    ListView1->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                            QItemSelectionModel::Rows);
    ListView1->scrollTo(index);
}

void ListViewFrm::RefreshListView()
{
    // A text the file refused goes in before the lists are read again.
    storeUnsavedDetail();
    Text1->setEnabled(true);
    m_sorting = false;
    const QString path = selectedPath();
    const ListDispatch dispatch = DispatchPath(path);
    switch (dispatch.kind) {
    case ListKind::Root:
        Text1->setEnabled(false);
        break;
    case ListKind::Month:
        ShowMonthList(ListViewYear, ListViewMonth, dispatch.typeFilter);
        break;
    case ListKind::All:
        ShowAllList(dispatch.typeFilter);
        break;
    case ListKind::Memo:
        ShowMemoList();
        break;
    case ListKind::Log:
        Text1->setEnabled(false);
        ShowLogList();
        m_sorting = true;
        applySort();
        break;
    case ListKind::None:
        break;
    }
    if (m_rows->rowCount() > 0) {
        if (ListView1->selectionModel()->selectedRows().isEmpty())
            selectRow(0);
        ListView1_ItemClick();
    }
    applyCommandStates(path);
    updateLink();
}

void ListViewFrm::applyCommandStates(const QString& path)
{
    const CommandStates states = StatesAfterRebuild(path, m_rows->rowCount());
    MNU_F_N->setEnabled(states.fileNew);
    MNU_E_E->setEnabled(states.edit);
    MNU_E_D->setEnabled(states.remove);
    button(QStringLiteral("item_new"))->setEnabled(states.fileNew);
    button(QStringLiteral("item_edit"))->setEnabled(states.editButton);
    button(QStringLiteral("item_delete"))->setEnabled(states.remove);
}

void ListViewFrm::showList(ListModel list, int reportIconColumn)
{
    if (!list.caption.isEmpty())
        setWindowTitle(list.caption);
    StatusPanel3->setText(list.statusTitle);
    StatusPanel4->setText(list.statusCount);
    m_rows->setList(std::move(list), reportIconColumn);
    m_rows->setTitlesEditable(false);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    QHeaderView* header = ListView1->header();
    header->setSortIndicatorShown(false);
    const auto& columns = m_rows->list().columns;
    // The alarm column is at least as wide as a bold time, so that no time
    // is cut short.
    QFont bold = ListView1->font();
    bold.setBold(true);
    const int timeWidth = QFontMetrics(bold).horizontalAdvance(QStringLiteral("00:00")) + 16;
    for (int c = 0; c < int(columns.size()); ++c) {
        const ListColumn& column = columns[std::size_t(c)];
        if (column.width == StretchWidth)
            continue;
        int width = TwipsToPixelsX(column.width);
        if (column.headerIconKey == ImageKey::AlarmItem)
            width = std::max(width, timeWidth);
        header->resizeSection(c, width);
    }
    fitStretchColumn();
    LastItemIndex = -1;
}

void ListViewFrm::fitStretchColumn()
{
    const auto& columns = m_rows->list().columns;
    const int listWidth = PixelsToTwipsX(ListView1->viewport()->width());
    const ListDispatch dispatch = DispatchPath(m_shownPath);
    // What the fixed columns took beyond their widths comes off the
    // stretching one, so the list needs no sideways scrolling.
    int widened = 0;
    for (int c = 0; c < int(columns.size()); ++c) {
        const int width = columns[std::size_t(c)].width;
        if (width != StretchWidth)
            widened += std::max(0, ListView1->header()->sectionSize(c) - TwipsToPixelsX(width));
    }
    for (int c = 0; c < int(columns.size()); ++c) {
        if (columns[std::size_t(c)].width != StretchWidth)
            continue;
        const int width = dispatch.kind == ListKind::All ? AllScheduleColumnWidth(listWidth)
                                                         : MonthScheduleColumnWidth(listWidth);
        ListView1->header()->resizeSection(
            c, std::max(TwipsToPixelsX(1000), TwipsToPixelsX(width) - widened));
    }
}

void ListViewFrm::fitColumnToText(int column, const QString& text)
{
    // The size the list's style gives a cell with this text (and the row
    // icon in column 0), in the list's font.
    QStyleOptionViewItem option;
    option.initFrom(ListView1);
    option.font = ListView1->font();
    option.fontMetrics = QFontMetrics(option.font);
    option.text = text;
    option.features = QStyleOptionViewItem::HasDisplay;
    if (column == 0) {
        option.features |= QStyleOptionViewItem::HasDecoration;
        option.decorationSize =
            ListView1->iconSize().isValid() ? ListView1->iconSize() : QSize(16, 16);
    }
    const int needed = ListView1->style()
                           ->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), ListView1)
                           .width();
    QHeaderView* header = ListView1->header();
    if (header->sectionSize(column) < needed) {
        header->resizeSection(column, needed);
        fitStretchColumn();
    }
}

void ListViewFrm::showRootView()
{
    ListModel root;
    root.columns = {{QStringLiteral("一覧の種類"), 3000, {}}};
    if (QTreeWidgetItem* node = TreeView1->topLevelItem(0)) {
        for (int i = 0; i < node->childCount(); ++i) {
            ListRow row;
            row.cells = {ListCell{node->child(i)->text(0), {}, false}};
            row.smallIconKey = i == 0 || i == 1 ? ImageKey::AppClose : QString();
            root.rows.push_back(std::move(row));
        }
    }
    m_shownPath = selectedPath();
    const QString caption = windowTitle();
    showList(std::move(root));
    ListView1->setSelectionBehavior(QAbstractItemView::SelectItems);
    StatusPanel3->clear();
    StatusPanel4->clear();
    setWindowTitle(caption);
}

void ListViewFrm::ShowMonthList(int year, int month, int typeFilter)
{
    BusyPointer busy;
    ListViewYear = year;
    ListViewMonth = month;
    m_shownPath = selectedPath();
    const Settings& settings = m_context.settings();
    const MonthListLook look{SettingColor(settings.SundayColor),
                             SettingColor(settings.SaturdayColor)};
    ListModel model;
    if (ScheduleDatabase* database = m_context.database()) {
        model = morvane::ShowMonthList(database->schedules(), year, month, typeFilter,
                                       m_context.clock().today(), look);
    }
    showList(std::move(model), MonthScheduleColumn);
    updateLink();
}

void ListViewFrm::ShowAllList(int typeFilter)
{
    BusyPointer busy;
    m_shownPath = selectedPath();
    ListModel model;
    if (ScheduleDatabase* database = m_context.database()) {
        Recordset& schedules = database->schedules();
        const int before = schedules.RecordCount();
        if (!tryWrite([&] { model = morvane::ShowAllList(schedules, typeFilter); })) {
            // The records the list cannot show stay in the table for now;
            // the list shows the table as it is.
            model = BuildAllList(ReadViewerRecords(schedules,
                                                   [typeFilter](const SchedulePattern& p) {
                                                       return PassesTypeFilter(p.type, typeFilter);
                                                   }),
                                 schedules.RecordCount());
        }
        // Records the list could not show were removed: the calendar and
        // the alarms follow the table.
        if (schedules.RecordCount() != before)
            afterSchedulesChanged();
    }
    showList(std::move(model));
    fitColumnToText(0, AllListWidestRule);
}

void ListViewFrm::ShowLogList()
{
    BusyPointer busy;
    m_shownPath = selectedPath();
    const QString path = LogFilePath(m_context.programFolder());
    const LogReadResult read = ReadLogFile(path);
    showList(BuildLogList(read.entries));
    if (m_rows->rowCount() > LogRowLimit) {
        busy.release();
        MsgBox(LogTooManyRowsText(m_rows->rowCount(), QDir::toNativeSeparators(path)),
               MsgBoxStyle::Exclamation, QStringLiteral("モルヴァ"), this);
    }
}

void ListViewFrm::setMonthNavigation(bool enabled)
{
    for (const char* key : {"j_back", "j_select", "j_next"})
        button(QString::fromLatin1(key))->setEnabled(enabled);
    for (QAction* action : {MNU_V_B, MNU_V_N, MNU_V_J})
        action->setEnabled(enabled);
}

void ListViewFrm::TreeView1_NodeClick(QTreeWidgetItem* node)
{
    if (!node)
        return;
    setMonthNavigation(false);
    setWindowTitle(QStringLiteral("Morvane [Viewer]"));
    storeUnsavedDetail();
    Text1->setEnabled(false);
    SuppressTextChange = true;
    Text1->clear();
    const QString path = FullPath(node);
    const ListKind kind = DispatchPath(path).kind;
    if (kind == ListKind::Root) {
        showRootView();
        ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    } else if (kind == ListKind::Month) {
        setMonthNavigation(true);
        ListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    } else if (kind == ListKind::Memo) {
        ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    } else {
        ListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    }
    RefreshListView();
    if (node->text(0) != LastNodeText)
        LastNodeText = node->text(0);
    SuppressTextChange = false;
}

void ListViewFrm::ListView1_ItemClick()
{
    storeUnsavedDetail();
    const QString path = selectedPath();
    const ListKind kind = DispatchPath(path).kind;
    const QModelIndex current = ListView1->currentIndex();
    const ListRow* row = m_rows->rowAt(current.row());
    if (kind == ListKind::Month) {
        setDetailText(row && row->cells.size() > 2 ? row->text(3) : QString());
    } else if (kind == ListKind::All) {
        setDetailText(row ? row->text(1) : QString());
    } else if (kind == ListKind::Memo) {
        QString text;
        if (row && m_context.database()) {
            MemoBook book(m_context.database()->memos());
            if (book.FindByTitle(row->text(0)))
                text = m_context.database()->memos().GetValue(memo_fields::Memo).toString();
        }
        setDetailText(text);
    }
    const int selected =
        int(std::min<qsizetype>(ListView1->selectionModel()->selectedRows().size(), 2));
    const ActivationStates states = StatesAfterActivation(path, selected);
    button(QStringLiteral("item_edit"))->setEnabled(states.editButton && m_rows->rowCount() > 0);
    MNU_E_E->setEnabled(states.edit && m_rows->rowCount() > 0);
    Text1->setEnabled(states.detailBox);
    LastItemIndex = current.row();
    updateLink();
}

void ListViewFrm::ListView1_DblClick()
{
    const QString path = selectedPath();
    if (DispatchPath(path).kind == ListKind::Root) {
        const int row = ListView1->currentIndex().row();
        QTreeWidgetItem* root = TreeView1->topLevelItem(0);
        if (root && row >= 0 && row < root->childCount())
            TreeView1->setCurrentItem(root->child(row)); // runs the node click
        return;
    }
    if (m_rows->rowCount() > 0)
        MNU_E_E_Click();
}

void ListViewFrm::ColumnHeader_Click(int column)
{
    m_sort = NextSortState(m_sort, column);
    if (!m_sorting)
        return;
    applySort();
}

void ListViewFrm::applySort()
{
    const Qt::SortOrder order = m_sort.descending ? Qt::DescendingOrder : Qt::AscendingOrder;
    m_rows->sortRows(m_sort.column, order);
    ListView1->header()->setSortIndicatorShown(m_sort.clicked);
    ListView1->header()->setSortIndicator(m_sort.column, order);
}

void ListViewFrm::updateLink()
{
    ViewerLink& link = m_context.viewer;
    link.visible = isVisible();
    link.ListViewYear = ListViewYear;
    link.ListViewMonth = ListViewMonth;
    link.treePath = selectedPath();
    const ListRow* row = m_rows->rowAt(ListView1->currentIndex().row());
    const ListKind kind = DispatchPath(link.treePath).kind;
    link.selectedScheduleText.clear();
    if (row && kind == ListKind::Month)
        link.selectedScheduleText = row->text(3);
    else if (row && kind == ListKind::All)
        link.selectedScheduleText = row->text(1);
}

} // namespace morvane
