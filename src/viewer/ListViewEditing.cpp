// The viewer's editing: the detail box that stores every change, the
// memos (new, rename in the list and in the tree) and the delete commands.
#include "context/AppContext.h"
#include "core/ActivityLog.h"
#include "core/AnsiText.h"
#include "core/LineBreaks.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/MemoBook.h"
#include "data/records/ScheduleDatabase.h"
#include "data/records/ScheduleFields.h"
#include "data/records/WriteFailure.h"
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
    Text1->setPlainText(ShownLineBreaks(text));
    SuppressTextChange = suppressed;
}

void ListViewFrm::reportWriteFailure(const EngineError& error)
{
    const ScheduleDatabase* database = m_context.database();
    const UserMessage message = WriteFailureMessage(
        database ? database->path() : DataFilePath(m_context.programFolder()), error);
    MsgBox(message.text, int(message.icon), message.title, this);
}

bool ListViewFrm::tryWrite(const std::function<void()>& write)
{
    try {
        write();
    } catch (const EngineError& error) {
        reportWriteFailure(error);
        return false;
    }
    return true;
}

bool ListViewFrm::storeUnsavedDetail()
{
    ScheduleDatabase* database = m_context.database();
    if (!database)
        return m_unsavedDetails.empty();
    bool created = false;
    while (!m_unsavedDetails.empty()) {
        UnsavedDetail& unsaved = m_unsavedDetails.front();
        DetailWrite result = DetailWrite::Unchanged;
        // The user was told when this text was refused; a refusal again only
        // keeps it waiting, without a second message.
        try {
            switch (unsaved.kind) {
            case ListKind::Month:
                result = WriteMonthRowText(database->schedules(), unsaved.row, unsaved.year,
                                           unsaved.month, unsaved.newType, unsaved.text);
                break;
            case ListKind::All:
                result = WriteAllRowText(database->schedules(), unsaved.row, unsaved.text);
                break;
            case ListKind::Memo:
                MemoBook(database->memos())
                    .ChangeContent(unsaved.row.text(0), unsaved.text, m_context.clock().now());
                break;
            default:
                break;
            }
        } catch (const EngineError&) {
            break;
        }
        created = created || result == DetailWrite::Created;
        m_unsavedDetails.erase(m_unsavedDetails.begin());
    }
    if (created)
        afterSchedulesChanged();
    return m_unsavedDetails.empty();
}

void ListViewFrm::rememberDeleted(DeletedRecords deleted)
{
    m_lastDeleted = std::move(deleted);
    MNU_E_U->setEnabled(!m_lastDeleted.records.empty());
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

bool ListViewFrm::newMemo(bool startTitleEdit)
{
    ScheduleDatabase* database = m_context.database();
    if (!database)
        return false;
    const QString title = NewMemoTitle(treeNodeTexts());
    const QDateTime now = m_context.clock().now();
    MemoWrite created = MemoWrite::NotFound;
    if (!tryWrite([&] { created = MemoBook(database->memos()).Create(title, now); }) ||
        created != MemoWrite::Saved)
        return false;
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
    return true;
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
    MemoWrite written = MemoWrite::NotFound;
    if (!tryWrite([&] { written = book.Rename(oldTitle, newText); }))
        return;
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
    MemoWrite written = MemoWrite::NotFound;
    if (!tryWrite([&] { written = book.Rename(oldTitle, newText); })) {
        restore();
        return;
    }
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
        const QString typed = Text1->toPlainText();
        const int caret = Text1->textCursor().position();
        if (!newMemo(false))
            return;
        // The new row's activation showed the new memo's empty text; the
        // keys typed so far stay in the box, to be stored below.
        setDetailText(typed);
        QTextCursor cursor = Text1->textCursor();
        cursor.setPosition(std::min(caret, int(Text1->toPlainText().size())));
        Text1->setTextCursor(cursor);
    }
    if (ListView1->selectionModel()->selectedRows().size() >= 2) {
        Text1->setEnabled(false);
        return;
    }
    const int current = ListView1->currentIndex().row();
    if (current < 0 || current != LastItemIndex || !Text1->isEnabled())
        return;
    // The data file keeps its line breaks as CR LF.
    const QString text = StoredLineBreaks(Text1->toPlainText());
    // A refused text of this same row is in the box too, so this write
    // stores it or keeps it waiting again; those of other rows go first.
    std::erase_if(m_unsavedDetails, [&](const UnsavedDetail& unsaved) {
        return unsaved.path == path && unsaved.rowIndex == current;
    });
    storeUnsavedDetail();
    const auto keepUnsaved = [&](ListKind kind, int newType) {
        if (const ListRow* row = m_rows->rowAt(current)) {
            m_unsavedDetails.push_back(
                {kind, *row, path, current, ListViewYear, ListViewMonth, newType, text});
        }
    };
    switch (dispatch.kind) {
    case ListKind::Month: {
        Recordset& schedules = database->schedules();
        DetailWrite result = DetailWrite::Unchanged;
        if (!tryWrite([&] {
                m_rows->changeRow(current, [&](ListRow& row) {
                    result = WriteMonthRowText(schedules, row, ListViewYear, ListViewMonth,
                                               std::max(dispatch.typeFilter, 0), text);
                });
            })) {
            keepUnsaved(ListKind::Month, std::max(dispatch.typeFilter, 0));
            break;
        }
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
        if (!tryWrite([&] {
                m_rows->changeRow(
                    current, [&](ListRow& row) { result = WriteAllRowText(schedules, row, text); });
            })) {
            keepUnsaved(ListKind::All, 0);
            break;
        }
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
        MemoWrite result = MemoWrite::Unchanged;
        if (!tryWrite([&] { result = book.ChangeContent(row->text(0), text, now); })) {
            keepUnsaved(ListKind::Memo, 0);
            break;
        }
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
    // The Del key inside the detail box never reaches this command: the box
    // takes it for its own text. Chosen from the toolbar or a menu, the
    // command deletes the selected rows, wherever the focus is.
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
    DeletedRecords deleted;
    const std::vector<qint64> ids = SelectedRecordIds(rows);
    if (!tryWrite([&] {
            InOneBatch(database->database(),
                       [&] { DeleteRecordsById(database->schedules(), ids, &deleted.records); });
        })) {
        // Nothing was deleted; the list still stands for the table.
        return;
    }
    rememberDeleted(std::move(deleted));
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
    DeletedRecords deleted;
    deleted.memos = true;
    if (!tryWrite([&] {
            Recordset& memos = database->memos();
            if (!MemoBook(memos).FindByTitle(title))
                return;
            StoredRecord fields = ReadStoredRecord(memos);
            memos.Delete();
            deleted.records.push_back(std::move(fields));
        }))
        return;
    rememberDeleted(std::move(deleted));
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
    m_rows->setStatusCount(m_rows->rowCount());
    StatusPanel4->setText(CountText(m_rows->rowCount()));
    // The row that takes the deleted one's place shows its own stored text:
    // an empty box bound to that memo would replace its text at the next
    // keystroke.
    if (m_rows->rowCount() > 0) {
        selectRow(std::min(current, m_rows->rowCount() - 1));
        ListView1_ItemClick();
    } else {
        setDetailText(QString());
        LastItemIndex = -1;
    }
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
    DeletedRecords deleted;
    {
        BusyPointer busy;
        const bool written = tryWrite([&] {
            InOneBatch(database->database(), [&] {
                count = DeletePastSchedules(database->schedules(), m_context.clock().today(),
                                            &deleted.records);
            });
        });
        if (!written)
            return;
    }
    if (count > 0) {
        rememberDeleted(std::move(deleted));
        MsgBox(delete_text::PastDone(count), MsgBoxStyle::Information, delete_text::PastTitle,
               this);
        RefreshListView();
        afterSchedulesChanged();
    } else {
        MsgBox(delete_text::PastNone, MsgBoxStyle::Information, delete_text::PastTitle, this);
    }
}

void ListViewFrm::MNU_E_U_Click()
{
    ScheduleDatabase* database = m_context.database();
    if (!database || m_lastDeleted.records.empty())
        return;
    const bool memos = m_lastDeleted.memos;
    Recordset& table = memos ? database->memos() : database->schedules();
    {
        BusyPointer busy;
        const bool written = tryWrite([&] {
            InOneBatch(database->database(), [&] { RestoreRecords(table, m_lastDeleted.records); });
        });
        if (!written)
            return; // kept, so that the command can be tried again
    }
    rememberDeleted({});
    if (memos) {
        // Selecting the memo list itself rebuilds every memo node; anywhere
        // else the restored memo's node is added.
        if (TreeView1->currentItem() != memoRootNode()) {
            table.MoveLast();
            addMemoNode(table.GetValue(memo_fields::Title).toString());
        }
        if (DispatchPath(selectedPath()).kind == ListKind::Memo)
            RefreshListView();
        return;
    }
    RefreshListView();
    afterSchedulesChanged();
}

} // namespace morvane
