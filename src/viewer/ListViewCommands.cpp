// The viewer's commands: edit, new, export, month navigation, the dialogs.
#include "calendar_window/dialogs/AboutFrm.h"
#include "calendar_window/dialogs/HelpWindow.h"
#include "calendar_window/dialogs/JumpFrm.h"
#include "calendar_window/dialogs/SetDateFrm.h"
#include "context/AppContext.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleBounds.h"
#include "data/records/ScheduleDatabase.h"
#include "ui_toolkit/FileDialog.h"
#include "ui_toolkit/MousePointer.h"
#include "ui_toolkit/MsgBox.h"
#include "ui_toolkit/WindowStacking.h"
#include "viewer/CsvExport.h"
#include "viewer/ListRowsModel.h"
#include "viewer/ListViewFrm.h"
#include "viewer/RowKey.h"
#include "viewer/ViewerCommands.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QTreeView>

namespace morvane {

void ListViewFrm::connectDialogs()
{
    connect(MNU_V_O, &QAction::triggered, this, [this] {
        BusyPointer busy;
        emit m_context.events().optionsRequested();
    });
    connect(MNU_H_C, &QAction::triggered, this, [this] {
        if (!m_helpWindow) {
            m_helpWindow = new HelpWindow;
            m_helpWindow->setAttribute(Qt::WA_DeleteOnClose);
        }
        m_helpWindow->showTopic(QString::fromLatin1(CalendarHelpTopic));
    });
    connect(MNU_H_A, &QAction::triggered, this, [this] {
        if (!m_aboutFrm)
            m_aboutFrm = new AboutFrm(m_context);
        m_aboutFrm->show();
        SetTopMost(m_aboutFrm);
        m_aboutFrm->activateWindow();
    });
}

void ListViewFrm::MNU_E_E_Click()
{
    BusyPointer busy;
    const QString path = selectedPath();
    const ListDispatch dispatch = DispatchPath(path);
    const ListRow* row = m_rows->rowAt(ListView1->currentIndex().row());
    switch (dispatch.kind) {
    case ListKind::Month: {
        const std::vector<int> map = list().ListRowMap();
        const int r = ListView1->currentIndex().row();
        if (r < 0)
            return;
        const QDate date(ListViewYear, ListViewMonth, map[std::size_t(r) + 1]);
        emit m_context.events().editorRequested(date, true);
        break;
    }
    case ListKind::All: {
        ScheduleDatabase* database = m_context.database();
        if (!row || !database)
            return;
        Recordset& schedules = database->schedules();
        if (!MoveToRowRecord(schedules, *row)) {
            staleRow();
            return;
        }
        const QDate date =
            EditDateOfRecord(ReadSchedulePattern(schedules), m_context.clock().today(),
                             ReadScheduleBounds(schedules));
        emit m_context.events().editorRequested(date, true);
        break;
    }
    case ListKind::Memo:
        if (path.size() > 3) {
            Text1->selectAll();
            Text1->setFocus();
        }
        break;
    default:
        break;
    }
}

void ListViewFrm::staleRow()
{
    // The row's position holds another record now (something was deleted
    // meanwhile): show the table as it is instead of acting on that record.
    RefreshListView();
}

void ListViewFrm::afterSchedulesChanged()
{
    emit m_context.events().alarmScanRequested();
    emit m_context.events().drawCalendarRequested(m_context.DisplayMonth);
}

void ListViewFrm::MNU_F_N_Click()
{
    const QString path = selectedPath();
    if (path.startsWith(tree_text::Memos)) {
        // The new memo's title is edited at once.
        newMemo(true);
        return;
    }
    if (!path.startsWith(tree_text::Schedules))
        return; // the log has no new command
    if (path.size() == tree_text::Schedules.size()) {
        if (!m_setDateFrm)
            m_setDateFrm = new SetDateFrm(m_context);
        m_setDateFrm->show();
        m_setDateFrm->raise();
        m_setDateFrm->activateWindow();
        return;
    }
    QDate date;
    const ListDispatch dispatch = DispatchPath(path);
    const int r = ListView1->currentIndex().row();
    if (dispatch.kind == ListKind::Month && r >= 0) {
        date = QDate(ListViewYear, ListViewMonth, list().ListRowMap()[std::size_t(r) + 1]);
    } else if (dispatch.kind == ListKind::All && r >= 0) {
        ScheduleDatabase* database = m_context.database();
        const ListRow* row = m_rows->rowAt(r);
        if (!database || !row || !MoveToRowRecord(database->schedules(), *row)) {
            staleRow();
            return;
        }
        date =
            EditDateOfRecord(ReadSchedulePattern(database->schedules()), m_context.clock().today(),
                             ReadScheduleBounds(database->schedules()));
    } else {
        date = m_context.clock().today();
    }
    emit m_context.events().editorRequested(date, true);
    emit m_context.events().newScheduleRequested(date);
}

void ListViewFrm::MNU_F_E_Click()
{
    ScheduleDatabase* database = m_context.database();
    if (!database || database->schedules().RecordCount() == 0) {
        MsgBox(csv_text::EmptyMessage, MsgBoxStyle::Information, csv_text::EmptyTitle, this);
        return;
    }
    FileDialogOptions options;
    options.title = csv_text::DialogTitle;
    options.fileName = csv_text::FileName;
    options.filter = csv_text::Filter;
    options.defaultExtension = csv_text::DefaultExtension;
    const std::optional<QString> path = FileDialog::getSaveFileName(this, options);
    if (!path)
        return; // cancel: nothing written, nothing said
    BusyPointer busy;
    int repaired = 0;
    CsvFile csv;
    if (!tryWrite([&] { csv = BuildCsv(database->schedules(), &repaired); }))
        return;
    QString error;
    bool written = WriteExportFile(*path, csv.ansiBytes(), &error);
    if (repaired > 0) {
        afterSchedulesChanged();
        RefreshListView();
    }
    busy.release();
    if (written && csv.unheld.count > 0 &&
        MsgBox(CsvUnheldQuestion(csv.unheld), MsgBoxStyle::YesNo + MsgBoxStyle::Question,
               csv_text::EmptyTitle, this) == MsgBoxResult::Yes) {
        written = WriteExportFile(*path, csv.utf8Bytes(), &error);
    }
    if (!written)
        MsgBox(error, MsgBoxStyle::Exclamation, csv_text::EmptyTitle, this);
}

void ListViewFrm::MNU_F_X_Click()
{
    storePlacement();
    hide();
    emit m_context.events().calendarVisibilityRequested(false);
    emit m_context.events().exitRequested();
}

void ListViewFrm::MNU_V_B_Click()
{
    const YearMonth month = StepListMonth({ListViewYear, ListViewMonth}, -1);
    ListViewYear = month.year;
    ListViewMonth = month.month;
    RefreshListView();
}

void ListViewFrm::MNU_V_N_Click()
{
    const YearMonth month = StepListMonth({ListViewYear, ListViewMonth}, 1);
    ListViewYear = month.year;
    ListViewMonth = month.month;
    RefreshListView();
}

void ListViewFrm::MNU_V_J_Click()
{
    if (!m_jumpFrm) {
        m_jumpFrm = new JumpFrm(m_context, [this](int year, int month) {
            ListViewYear = year;
            ListViewMonth = month;
            RefreshListView();
            return true;
        });
    }
    m_jumpFrm->show();
    m_jumpFrm->raise();
    m_jumpFrm->activateWindow();
}

void ListViewFrm::JumpDropDown_Click(const QString& entry)
{
    const JumpChoice choice =
        ResolveJumpEntry(entry, {ListViewYear, ListViewMonth}, m_context.clock().today());
    switch (choice.action) {
    case JumpChoice::Action::JumpDialog:
        MNU_V_J_Click();
        break;
    case JumpChoice::Action::ShowMonth:
        // Always all types, whichever type node is selected.
        ShowMonthList(choice.month.year, choice.month.month, -1);
        if (m_rows->rowCount() > 0) {
            selectRow(0);
            ListView1_ItemClick();
        }
        break;
    case JumpChoice::Action::Nothing:
        break;
    }
}

} // namespace morvane
