// The editor window's handlers: each passes the user's action to the
// DayEditor and then shows the outcome.

#include "calendar_window/dialogs/AboutFrm.h"
#include "calendar_window/dialogs/HelpWindow.h"
#include "context/AppContext.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleDatabase.h"
#include "editor/EditFrm.h"
#include "editor/WriteFailure.h"
#include "ui_toolkit/DateTimePicker.h"
#include "ui_toolkit/EventPump.h"
#include "ui_toolkit/MousePointer.h"
#include "ui_toolkit/MsgBox.h"
#include "ui_toolkit/WindowStacking.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QTreeWidget>

namespace morvane {

template <typename Edit> void EditFrm::apply(Edit&& edit)
{
    if (m_refreshing > 0)
        return; // the window itself is showing values, not the user
    try {
        edit();
    } catch (const EngineError& error) {
        // A read the editor did not expect to fail: told, and the window
        // keeps what it shows and goes on.
        const ScheduleDatabase* database = m_context.database();
        MsgBox(WriteFailureText(error, database ? database->path() : QString()),
               MsgBoxStyle::Exclamation, QStringLiteral("DB保存時のエラー"), this);
    }
    refresh();
}

void EditFrm::connectControls()
{
    connect(MNU_F_N_Action, &QAction::triggered, this, &EditFrm::MNU_F_N_Click);
    connect(MNU_F_S_Action, &QAction::triggered, this, &EditFrm::MNU_F_S_Click);
    connect(MNU_F_A_Action, &QAction::triggered, this, &EditFrm::MNU_F_A_Click);
    connect(MNU_F_C_Action, &QAction::triggered, this, &QWidget::close);
    connect(MNU_E_D_Action, &QAction::triggered, this, &EditFrm::MNU_E_D_Click);
    connect(MNU_H_C_Action, &QAction::triggered, this, &EditFrm::MNU_H_C_Click);
    connect(MNU_H_A_Action, &QAction::triggered, this, &EditFrm::MNU_H_A_Click);
    connect(Toolbar1, &QToolBar::actionTriggered, this, &EditFrm::Toolbar1_ButtonClick);

    connect(DTPicker1, &DateTimePicker::changed, this, &EditFrm::DTPicker1_Change);
    connect(ListView1, &QTreeWidget::itemSelectionChanged, this, [this] {
        // After the press has finished, as the selection change question
        // must not interrupt a mouse press or a key still held.
        if (m_refreshing == 0)
            QMetaObject::invokeMethod(this, &EditFrm::listSelectionMoved, Qt::QueuedConnection);
    });
    connect(Text1, &QPlainTextEdit::textChanged, this, &EditFrm::Text1_Change);
}

void EditFrm::connectPanel()
{
    DayEditor& e = m_editor;
    connect(ImageCombo1, &QComboBox::activated, this,
            [this, &e](int index) { apply([&] { e.kindChosen(index); }); });
    connect(Combo1, &QComboBox::activated, this,
            [this, &e](int index) { apply([&] { e.yearChoiceChosen(index); }); });
    connect(Combo2, &QComboBox::activated, this,
            [this, &e](int index) { apply([&] { e.monthChoiceChosen(index); }); });
    connect(Combo3, &QComboBox::activated, this,
            [this, &e](int index) { apply([&] { e.dayChoiceChosen(index); }); });
    connect(Check1, &QCheckBox::clicked, this,
            [this, &e](bool on) { apply([&] { e.timeRangeToggled(on); }); });
    connect(Check2, &QCheckBox::clicked, this,
            [this, &e](bool on) { apply([&] { e.alarmToggled(on); }); });
    connect(Check3, &QCheckBox::clicked, this,
            [this, &e](bool on) { apply([&] { e.colorToggled(on); }); });
    connect(Check4, &QCheckBox::clicked, this,
            [this, &e](bool on) { apply([&] { e.markToggled(on); }); });
    connect(ImageCombo2, &QComboBox::activated, this,
            [this, &e](int index) { apply([&] { e.colorChosen(index); }); });
    connect(Combo5, &QComboBox::activated, this,
            [this, &e](int index) { apply([&] { e.markChosen(index); }); });
    connect(DTPicker2[0], &DateTimePicker::changed, this, [this, &e] {
        apply([&] { e.startTimeEdited(DTPicker2[0]->shownDateTime().time()); });
    });
    connect(DTPicker2[1], &DateTimePicker::changed, this,
            [this, &e] { apply([&] { e.endTimeEdited(DTPicker2[1]->shownDateTime().time()); }); });
    connect(DTPicker2[2], &DateTimePicker::changed, this, [this, &e] {
        apply([&] { e.alarmTimeEdited(DTPicker2[2]->shownDateTime().time()); });
    });
    connect(DTPicker3, &DateTimePicker::changed, this,
            [this, &e] { apply([&] { e.birthYearEdited(DTPicker3->year()); }); });
    connect(Combo4, &QComboBox::editTextChanged, this,
            [this, &e](const QString& person) { apply([&] { e.birthPersonEdited(person); }); });
    connect(DTPicker4, &DateTimePicker::changed, this,
            [this, &e] { apply([&] { e.firstDateEdited(DTPicker4->date()); }); });
    connect(DTPicker5, &DateTimePicker::changed, this,
            [this, &e] { apply([&] { e.lastDateEdited(DTPicker5->date()); }); });
}

// --- Opening and commands --------------------------------------------------

bool EditFrm::SetEditFrm(QDate editDate, bool viewerFlg)
{
    if (m_dateDelay.isActive()) {
        m_dateDelay.stop();
        dateDelayElapsed();
    }
    const bool shown = m_editor.openDay(editDate, viewerFlg);
    refresh();
    // The focus first: keys waiting in the queue go to the text box.
    focusText();
    DoEvents();
    return shown;
}

void EditFrm::MNU_F_N_Click()
{
    if (m_dateDelay.isActive()) {
        m_dateDelay.stop();
        dateDelayElapsed();
    }
    apply([this] { m_editor.MNU_F_N_Click(); });
    focusText();
}

void EditFrm::MNU_F_S_Click()
{
    BusyPointer busy(MousePointer::Hourglass);
    apply([this] { m_editor.MNU_F_S_Click(); });
}

void EditFrm::MNU_F_A_Click()
{
    setFocus();
    bool closeNow = false;
    {
        BusyPointer busy(MousePointer::Hourglass);
        apply([&] { closeNow = m_editor.MNU_F_A_Click(); });
    }
    if (closeNow) {
        DoEvents();
        close();
    }
}

void EditFrm::MNU_E_D_Click()
{
    DeleteItemData(true);
}

void EditFrm::DeleteItemData(bool msgFlg)
{
    apply([&] { m_editor.DeleteItemData(msgFlg); });
}

void EditFrm::MNU_H_C_Click()
{
    if (!m_help) {
        m_help = new HelpWindow;
        m_help->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_help->showTopic(QString::fromLatin1(CalendarHelpTopic));
}

void EditFrm::MNU_H_A_Click()
{
    if (!m_about)
        m_about = new AboutFrm(m_context);
    m_about->show();
    SetTopMost(m_about);
    m_about->activateWindow();
}

void EditFrm::Toolbar1_ButtonClick(QAction* button)
{
    const QString tip = button->toolTip();
    if (tip == QStringLiteral("新規予定作成"))
        MNU_F_N_Click();
    else if (tip == QStringLiteral("保存して閉じる"))
        MNU_F_A_Click();
    else if (tip == QStringLiteral("予定の削除"))
        MNU_E_D_Click();
}

// --- Date, list and text -----------------------------------------------------

void EditFrm::DTPicker1_Change()
{
    const std::optional<QDate> date = DTPicker1->date();
    if (!date)
        return;
    if (!m_editor.dateChanged(*date)) {
        refresh(); // the picker goes back to the day still shown
        return;
    }
    // Nothing is edited until the new day is read.
    ListView1->setEnabled(false);
    Picture1->setEnabled(false);
    Text1->setEnabled(false);
    m_dateDelay.start();
}

void EditFrm::dateDelayElapsed()
{
    const QDate date = DTPicker1->date().value_or(m_editor.shownDate());
    m_editor.showDay(date, false);
    m_editor.EditIndex = 0;
    ListView1->setEnabled(true);
    Picture1->setEnabled(true);
    Text1->setEnabled(true);
    refresh();
    focusText();
}

void EditFrm::listSelectionMoved()
{
    const QList<QTreeWidgetItem*> selected = ListView1->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = ListView1->indexOfTopLevelItem(selected.first());
    if (row == m_editor.selectedRow())
        return;
    apply([&] { m_editor.rowChosen(row); });
}

void EditFrm::Text1_Change()
{
    apply([this] { m_editor.textEdited(Text1->toPlainText()); });
}

void EditFrm::focusText()
{
    // A hidden window keeps the choice and gives the focus there once it
    // shows.
    if (Text1->isEnabled()) {
        Text1->setFocus();
        Text1->moveCursor(QTextCursor::End);
    }
}

void EditFrm::selectWholeText()
{
    Text1->setFocus();
    Text1->selectAll();
}

// --- Window events -----------------------------------------------------------

void EditFrm::closeEvent(QCloseEvent* event)
{
    if (m_dateDelay.isActive()) {
        m_dateDelay.stop();
        dateDelayElapsed();
    }
    const bool mayClose = m_editor.Form_Unload();
    refresh();
    if (mayClose)
        event->accept();
    else
        event->ignore();
}

bool EditFrm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        placeBody();
    if (watched == ListView1->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton && m_listPopup) {
            const QPoint where = mouse->globalPosition().toPoint();
            QMetaObject::invokeMethod(
                this, [this, where] { m_listPopup(where); }, Qt::QueuedConnection);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void EditFrm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    updateClock();
    m_clock.start();
}

void EditFrm::hideEvent(QHideEvent* event)
{
    m_clock.stop();
    QMainWindow::hideEvent(event);
}

} // namespace morvane
