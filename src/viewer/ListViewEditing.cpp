// The viewer's editing: the detail box that stores every change, the
// memos (new, rename in the list and in the tree) and the delete commands.
#include "context/AppContext.h"
#include "core/ActivityLog.h"
#include "core/AnsiText.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/MemoBook.h"
#include "data/records/ScheduleDatabase.h"
#include "data/records/ScheduleFields.h"
#include "ui_toolkit/CalendarImages.h"
#include "ui_toolkit/MousePointer.h"
#include "ui_toolkit/MsgBox.h"
#include "ui_toolkit/Twips.h"
#include "viewer/DetailWrite.h"
#include "viewer/ListRowsModel.h"
#include "viewer/ListViewFrm.h"
#include "viewer/LogList.h"
#include "viewer/ViewerDeletion.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTreeView>
#include <QTreeWidget>

namespace morvane {

namespace {

// The title a memo node had before an edit in place changed its text.
constexpr int OldTitleRole = Qt::UserRole + 1;

} // namespace

void ListViewFrm::setDetailText(const QString& text)
{
    const bool suppressed = SuppressTextChange;
    SuppressTextChange = true;
    Text1->setPlainText(text);
    SuppressTextChange = suppressed;
}

QTreeWidgetItem* ListViewFrm::memoRootNode() const
{
    for (int i = 0; i < TreeView1->topLevelItemCount(); ++i) {
        if (TreeView1->topLevelItem(i)->text(0) == tree_text::Memos)
            return TreeView1->topLevelItem(i);
    }
    return nullptr;
}

QTreeWidgetItem* ListViewFrm::addMemoNode(const QString& title)
{
    QTreeWidgetItem* root = memoRootNode();
    if (!root)
        return nullptr;
    auto* node = new QTreeWidgetItem(root);
    {
        // Filling the node is no rename.
        const QSignalBlocker blocker(TreeView1);
        node->setText(0, title);
        node->setData(0, OldTitleRole, title);
        node->setIcon(0, m_images.icon(ImageKey::MemoItem));
        node->setFlags(node->flags() | Qt::ItemIsEditable);
    }
    return node;
}

QStringList ListViewFrm::treeNodeTexts() const
{
    QStringList texts;
    for (QTreeWidgetItemIterator it(TreeView1); *it; ++it)
        texts << (*it)->text(0);
    return texts;
}

int ListViewFrm::FindMemoChildPosition() const
{
    const QTreeWidgetItem* root = memoRootNode();
    const QString selected = selectedPath();
    if (!root)
        return 0;
    for (int i = 0; i < root->childCount(); ++i) {
        if (FullPath(root->child(i)) == selected)
            return i + 1;
    }
    return 0;
}

void ListViewFrm::ShowMemoList()
{
    BusyPointer busy;
    m_shownPath = selectedPath();
    const bool rootSelected = m_shownPath == tree_text::Memos;
    ListModel model;
    model.caption = QStringLiteral("Morvane [Viewer] - メモ一覧");
    model.statusTitle = QStringLiteral("メモ一覧");
    const int listWidth = PixelsToTwipsX(ListView1->viewport()->width());
    model.columns = {{QStringLiteral("タイトル"), listWidth > 3000 ? listWidth - 2100 : 1800, {}},
                     {QStringLiteral("更新日"), 1800, {}}};
    std::vector<MemoEntry> memos;
    if (ScheduleDatabase* database = m_context.database())
        memos = MemoBook(database->memos()).ListAll();
    if (rootSelected) {
        if (QTreeWidgetItem* root = memoRootNode()) {
            const QSignalBlocker blocker(TreeView1);
            for (int i = root->childCount() - 1; i >= 0; --i)
                delete root->takeChild(i);
        }
    }
    for (const MemoEntry& memo : memos) {
        ListRow row;
        row.cells = {ListCell{memo.title, {}, false}, ListCell{memo.date, {}, false}};
        row.smallIconKey = ImageKey::MemoItem;
        model.rows.push_back(std::move(row));
        if (rootSelected)
            addMemoNode(memo.title);
    }
    if (rootSelected) {
        if (QTreeWidgetItem* root = memoRootNode())
            TreeView1->expandItem(root);
    }
    model.count = int(model.rows.size());
    model.statusCount = CountText(model.count);
    showList(std::move(model));
    m_rows->setTitlesEditable(true);
    ListView1->setEditTriggers(QAbstractItemView::SelectedClicked |
                               QAbstractItemView::EditKeyPressed);
    if (!rootSelected) {
        if (const int p = FindMemoChildPosition(); p > 0)
            selectRow(p - 1);
    }
}

void ListViewFrm::editRowTitle(int row)
{
    const QModelIndex index = m_rows->index(row, 0);
    if (!index.isValid())
        return;
    ListView1->setFocus();
    selectRow(row);
    ListView1->edit(index);
}

void ListViewFrm::newMemo(bool startTitleEdit)
{
    ScheduleDatabase* database = m_context.database();
    if (!database)
        return;
    const QString title = NewMemoTitle(treeNodeTexts());
    const QDateTime now = m_context.clock().now();
    if (MemoBook(database->memos()).Create(title, now) != MemoWrite::Saved)
        return;
    addMemoNode(title);
    ListRow row;
    row.cells = {ListCell{title, {}, false}, ListCell{MemoDateText(now), {}, false}};
    row.smallIconKey = ImageKey::MemoItem;
    m_rows->appendRow(std::move(row));
    m_rows->setStatusCount(m_rows->rowCount());
    StatusPanel4->setText(CountText(m_rows->rowCount()));
    const int last = m_rows->rowCount() - 1;
    if (startTitleEdit) {
        setDetailText(QString());
        editRowTitle(last);
    } else {
        const bool suppressed = SuppressTextChange;
        SuppressTextChange = true;
        selectRow(last);
        SuppressTextChange = suppressed;
    }
    LastItemIndex = last;
    Text1->setEnabled(true);
    applyCommandStates(selectedPath());
}

void ListViewFrm::ListView1_AfterLabelEdit(int row, const QString& newText)
{
    const ListRow* listRow = m_rows->rowAt(row);
    ScheduleDatabase* database = m_context.database();
    if (!listRow || !database || DispatchPath(selectedPath()).kind != ListKind::Memo)
        return;
    const QString oldTitle = listRow->text(0);
    // Leaving the title as it was, or empty (a memo no list shows), is no
    // rename.
    if (newText == oldTitle || newText.isEmpty())
        return;
    if (TitleTaken(treeNodeTexts(), newText)) {
        MsgBox(DuplicateTitleMessage(newText), MsgBoxStyle::Exclamation, QStringLiteral("モルヴァ"),
               this);
        return;
    }
    MemoBook book(database->memos());
    const MemoWrite written = book.Rename(oldTitle, newText);
    if (written == MemoWrite::TooLong) {
        MsgBox(MemoTextTooLongMessage(book.TitleCapacity(), AnsiByteLength(newText)),
               MsgBoxStyle::Exclamation, TextTooLongTitle, this);
        return;
    }
    if (written != MemoWrite::Saved) {
        staleRow();
        return;
    }
    m_rows->changeRow(row, [&](ListRow& r) { r.cells[0].text = newText; });
    if (QTreeWidgetItem* root = memoRootNode()) {
        for (int i = 0; i < root->childCount(); ++i) {
            QTreeWidgetItem* node = root->child(i);
            if (node->text(0) == oldTitle) {
                const QSignalBlocker blocker(TreeView1);
                node->setText(0, newText);
                node->setData(0, OldTitleRole, newText);
                break;
            }
        }
    }
    if (Text1->toPlainText().isEmpty()) {
        // A prompt for the text; typing replaces it, and it is never stored.
        setDetailText(MemoPrompt);
        Text1->selectAll();
        Text1->setFocus();
    }
}

void ListViewFrm::TreeView1_AfterLabelEdit(QTreeWidgetItem* node)
{
    ScheduleDatabase* database = m_context.database();
    if (!node || !database || !node->parent() || node->parent() != memoRootNode())
        return;
    const QString oldTitle = node->data(0, OldTitleRole).toString();
    const QString newText = node->text(0);
    if (newText == oldTitle)
        return;
    const auto restore = [&] {
        const QSignalBlocker blocker(TreeView1);
        node->setText(0, oldTitle);
    };
    if (newText.isEmpty()) {
        restore();
        return;
    }
    QStringList others;
    for (QTreeWidgetItemIterator it(TreeView1); *it; ++it) {
        if (*it != node)
            others << (*it)->text(0);
    }
    if (TitleTaken(others, newText)) {
        restore();
        MsgBox(DuplicateTitleMessage(newText), MsgBoxStyle::Exclamation, QStringLiteral("モルヴァ"),
               this);
        return;
    }
    MemoBook book(database->memos());
    const MemoWrite written = book.Rename(oldTitle, newText);
    if (written == MemoWrite::TooLong) {
        restore();
        MsgBox(MemoTextTooLongMessage(book.TitleCapacity(), AnsiByteLength(newText)),
               MsgBoxStyle::Exclamation, TextTooLongTitle, this);
        return;
    }
    if (written != MemoWrite::Saved) {
        restore();
        return;
    }
    {
        const QSignalBlocker blocker(TreeView1);
        node->setData(0, OldTitleRole, newText);
    }
    if (TreeView1->currentItem() == node)
        RefreshListView();
}

void ListViewFrm::showTextTooLong(int fieldSize)
{
    MsgBox(MemoTextTooLongMessage(fieldSize, AnsiByteLength(Text1->toPlainText())),
           MsgBoxStyle::Exclamation, TextTooLongTitle, this);
    QTextCursor cursor = Text1->textCursor();
    cursor.movePosition(QTextCursor::Start);
    Text1->setTextCursor(cursor);
    Text1->selectAll();
    Text1->setFocus();
}

void ListViewFrm::Text1_Change()
{
    if (SuppressTextChange)
        return;
    const QString path = selectedPath();
    const ListDispatch dispatch = DispatchPath(path);
    ScheduleDatabase* database = m_context.database();
    if (!database)
        return;
    if (m_rows->rowCount() == 0) {
        // Typing into the empty memo list starts a memo to hold the text.
        if (dispatch.kind != ListKind::Memo)
            return;
        newMemo(false);
    }
    if (ListView1->selectionModel()->selectedRows().size() >= 2) {
        Text1->setEnabled(false);
        return;
    }
    const int current = ListView1->currentIndex().row();
    if (current < 0 || current != LastItemIndex || !Text1->isEnabled())
        return;
    const QString text = Text1->toPlainText();
    switch (dispatch.kind) {
    case ListKind::Month: {
        Recordset& schedules = database->schedules();
        DetailWrite result = DetailWrite::Unchanged;
        m_rows->changeRow(current, [&](ListRow& row) {
            result = WriteMonthRowText(schedules, row, ListViewYear, ListViewMonth,
                                       std::max(dispatch.typeFilter, 0), text);
        });
        if (result == DetailWrite::TooLong)
            showTextTooLong(schedules.Size(schedule_fields::Message));
        else if (result == DetailWrite::Stale)
            staleRow();
        else if (result == DetailWrite::Created)
            afterSchedulesChanged();
        break;
    }
    case ListKind::All: {
        Recordset& schedules = database->schedules();
        DetailWrite result = DetailWrite::Unchanged;
        m_rows->changeRow(current,
                          [&](ListRow& row) { result = WriteAllRowText(schedules, row, text); });
        if (result == DetailWrite::TooLong)
            showTextTooLong(schedules.Size(schedule_fields::Message));
        else if (result == DetailWrite::Stale)
            staleRow();
        break;
    }
    case ListKind::Memo: {
        const ListRow* row = m_rows->rowAt(current);
        if (!row)
            return;
        const QDateTime now = m_context.clock().now();
        MemoBook book(database->memos());
        const MemoWrite result = book.ChangeContent(row->text(0), text, now);
        if (result == MemoWrite::Saved)
            m_rows->changeRow(current, [&](ListRow& r) { r.cells[1].text = MemoDateText(now); });
        else if (result == MemoWrite::TooLong)
            showTextTooLong(book.ContentCapacity());
        else if (result == MemoWrite::NotFound)
            staleRow();
        break;
    }
    default:
        break;
    }
    updateLink();
}

void ListViewFrm::MNU_E_D_Click()
{
    // Del belongs to this command, so in the detail box it does Del's own
    // job and touches no record.
    if (Text1->hasFocus()) {
        if (Text1->toPlainText().isEmpty())
            return;
        QTextCursor cursor = Text1->textCursor();
        if (cursor.hasSelection())
            cursor.removeSelectedText();
        else if (!cursor.atEnd())
            cursor.deleteChar();
        Text1->setTextCursor(cursor);
        return;
    }
    const QString path = selectedPath();
    switch (DispatchPath(path).kind) {
    case ListKind::Month:
        deleteScheduleRows(true);
        break;
    case ListKind::All:
        deleteScheduleRows(false);
        break;
    case ListKind::Log:
        deleteLogRows();
        break;
    case ListKind::Memo:
        if (path.size() > 3)
            deleteMemoRow();
        break;
    default:
        break;
    }
}

void ListViewFrm::deleteScheduleRows(bool monthList)
{
    ScheduleDatabase* database = m_context.database();
    if (!database)
        return;
    BusyPointer busy;
    std::vector<const ListRow*> rows;
    for (int r : selectedRows()) {
        const ListRow* row = m_rows->rowAt(r);
        if (row && !row->key.isEmpty())
            rows.push_back(row);
    }
    if (rows.empty()) {
        busy.release();
        MsgBox(monthList ? delete_text::NothingInRange : delete_text::NothingSelected,
               MsgBoxStyle::Information, delete_text::Title, this);
        return;
    }
    if (rows.size() >= 2) {
        busy.release();
        const int answer =
            MsgBox(delete_text::BulkQuestion(int(rows.size())),
                   MsgBoxStyle::YesNo + MsgBoxStyle::Question, delete_text::BulkTitle, this);
        if (answer != MsgBoxResult::Yes)
            return;
    }
    DeleteRecordsById(database->schedules(), SelectedRecordIds(rows));
    RefreshListView();
    afterSchedulesChanged();
}

void ListViewFrm::deleteLogRows()
{
    BusyPointer busy;
    const std::vector<int> rows = selectedRows();
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        m_rows->removeRowAt(*it);
    std::vector<LogEntry> remaining;
    for (int r = 0; r < m_rows->rowCount(); ++r) {
        const ListRow* row = m_rows->rowAt(r);
        remaining.push_back({row->text(0), row->text(1)});
    }
    const QString logPath = LogFilePath(m_context.programFolder());
    QString error;
    if (!RewriteLogFile(logPath, remaining, &error)) {
        busy.release();
        // The old log is whole: show it as it is.
        ShowLogList();
        applySort();
        MsgBox(QStringLiteral("ログファイルを書き込めませんでした。\r\n") + error,
               MsgBoxStyle::Exclamation, QStringLiteral("モルヴァ"), this);
        return;
    }
    m_rows->setStatusCount(m_rows->rowCount());
    StatusPanel4->setText(CountText(m_rows->rowCount()));
}

void ListViewFrm::deleteMemoRow()
{
    ScheduleDatabase* database = m_context.database();
    const int current = ListView1->currentIndex().row();
    const ListRow* row = m_rows->rowAt(current);
    if (!database || m_rows->rowCount() == 0 || !row) {
        MsgBox(delete_text::NoMemo, MsgBoxStyle::Information, delete_text::MemoTitle, this);
        return;
    }
    const QString title = row->text(0);
    MemoBook(database->memos()).Delete(title);
    const QString nodePath = tree_text::Memos + QLatin1Char('\\') + title;
    if (QTreeWidgetItem* root = memoRootNode()) {
        for (int i = 0; i < root->childCount(); ++i) {
            if (FullPath(root->child(i)) == nodePath) {
                if (TreeView1->currentItem() == root->child(i)) {
                    m_placingNode = true;
                    TreeView1->setCurrentItem(root);
                    m_placingNode = false;
                }
                delete root->takeChild(i);
                break;
            }
        }
    }
    m_rows->removeRowAt(current);
    setDetailText(QString());
    m_rows->setStatusCount(m_rows->rowCount());
    StatusPanel4->setText(CountText(m_rows->rowCount()));
    LastItemIndex = ListView1->currentIndex().row();
    applyCommandStates(selectedPath());
}

void ListViewFrm::MNU_E_K_Click()
{
    ScheduleDatabase* database = m_context.database();
    if (!database)
        return;
    const int answer =
        MsgBox(delete_text::PastQuestion(), MsgBoxStyle::YesNo + MsgBoxStyle::Question,
               delete_text::PastTitle, this);
    if (answer != MsgBoxResult::Yes)
        return;
    int count = 0;
    {
        BusyPointer busy;
        count = DeletePastSchedules(database->schedules(), m_context.clock().today());
    }
    if (count > 0) {
        MsgBox(delete_text::PastDone(count), MsgBoxStyle::Information, delete_text::PastTitle,
               this);
        RefreshListView();
        afterSchedulesChanged();
    } else {
        MsgBox(delete_text::PastNone, MsgBoxStyle::Information, delete_text::PastTitle, this);
    }
}

} // namespace morvane
