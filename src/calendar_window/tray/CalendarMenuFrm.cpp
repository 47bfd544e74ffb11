#include "calendar_window/tray/CalendarMenuFrm.h"

#include "calendar_window/dialogs/AboutFrm.h"
#include "calendar_window/dialogs/HelpWindow.h"
#include "calendar_window/dialogs/JumpFrm.h"
#include "calendar_window/dialogs/SetDateFrm.h"
#include "calendar_window/month/MonthModel.h"
#include "calendar_window/summary/DaySchedulesSummary.h"
#include "calendar_window/tray/DeleteDaySchedules.h"
#include "calendar_window/tray/TrayIconArt.h"
#include "calendar_window/tray/TrayPresence.h"
#include "context/AppContext.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleDatabase.h"
#include "data/records/UserMessage.h"
#include "ui_toolkit/MousePointer.h"
#include "ui_toolkit/MsgBox.h"
#include "ui_toolkit/WindowStacking.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QMenu>
#include <QMessageBox>
#include <algorithm>

namespace morvane {

CalendarMenuFrm::CalendarMenuFrm(AppContext& context, QWidget* parent)
    : QWidget(parent),
      m_context(context),
      m_menus(BuildPopupMenus(this)),
      m_tray(std::make_unique<DesktopTrayPresence>())
{
    setObjectName(QStringLiteral("CalendarMenuFrm"));
    setAttribute(Qt::WA_DontShowOnScreen);

    const Settings& settings = context.settings();
    m_image1[0] = IconFromFileOr(settings.IconFile1, CalendarPageIcon());
    m_image1[1] = IconFromFileOr(settings.IconFile2, CalendarPageIconLit());

    m_flashTimer.setInterval(500);
    connect(&m_flashTimer, &QTimer::timeout, this, &CalendarMenuFrm::flashTick);

    m_tray.setObjectName(QStringLiteral("TrayIcon"));
    m_tray.setIcon(m_image1[0]);
    m_tray.setToolTip(AppTitle);
    // A status-notifier panel shows this menu itself, from what the program
    // publishes on the session bus; a docking tray opens it on a right click.
    m_tray.setContextMenu(m_menus.MNU);
    connect(&m_tray, &TrayIcon::tipRequested, this, &CalendarMenuFrm::UpdateTrayToolTip);
    connect(&m_tray, &TrayIcon::activated, this, &CalendarMenuFrm::trayActivated);
    m_tray.show();

    connectMenus();
    connectContext();
    setDayNotifyIcon();

    // When the month was drawn before this window existed, catch up with
    // what that drawing announced.
    const QDate shown = context.displayMonthDate();
    if (shown.isValid()) {
        tickJumpMonth(shown);
        const QDate today = context.clock().today();
        if (shown.year() == today.year() && shown.month() == today.month()) {
            writeTodayTip();
        }
    }
    syncMenuTicks();
}

CalendarMenuFrm::~CalendarMenuFrm()
{
    removeTrayIcon();
    delete m_setDateFrm;
    delete m_jumpFrm;
    delete m_aboutFrm;
    delete m_helpWindow;
    // A sync failure message still open has no parent to take it along.
    delete m_syncFailureBox;
}

QIcon CalendarMenuFrm::ImageDay(int day) const
{
    const auto index = std::size_t(std::clamp(day, 0, 31));
    if (m_imageDay[index].isNull()) {
        m_imageDay[index] = DayNumberIcon(int(index));
    }
    return m_imageDay[index];
}

void CalendarMenuFrm::connectMenus()
{
    const PopupMenus& m = m_menus;
    connect(m.MNU, &QMenu::aboutToShow, this, &CalendarMenuFrm::menuAboutToShow);
    connect(m.MNU_S, &QAction::triggered, this, &CalendarMenuFrm::showSetDateFrm);
    connect(m.MNU_E, &QAction::triggered, this, &CalendarMenuFrm::openEditorOnSelectedDay);
    connect(m.MNU_D, &QAction::triggered, this, &CalendarMenuFrm::MNU_D_Click);
    connect(m.MNU_P, &QAction::triggered, this, &CalendarMenuFrm::toggleCalendarView);
    connect(m.MNU_V, &QAction::triggered, this, [this] {
        const QDate month = m_context.displayMonthDate();
        m_context.events().viewerRequested(month.year(), month.month(), false);
    });
    connect(m.MNU_F, &QAction::triggered, &m_context.events(), &AppEvents::searchRequested);
    connect(m.MNU_Y, &QAction::triggered, &m_context.events(), &AppEvents::syncNowRequested);
    connect(m.MNU_B, &QAction::triggered, this, [this] { stepDisplayedMonth(-1); });
    connect(m.MNU_N, &QAction::triggered, this, [this] { stepDisplayedMonth(1); });
    connect(m.MNU_J, &QAction::triggered, this, &CalendarMenuFrm::showJumpFrm);
    connect(m.MNU_O, &QAction::triggered, this, [this] {
        BusyPointer busy;
        emit m_context.events().optionsRequested();
    });
    connect(m.MNU_T, &QAction::triggered, this, &CalendarMenuFrm::toggleTopView);
    connect(m.MNU_U, &QAction::triggered, this,
            [this] { m_context.events().calendarMoveRequested(QPoint(0, 0)); });
    connect(m.MNU_H_C, &QAction::triggered, this, &CalendarMenuFrm::showHelp);
    connect(m.MNU_H_A, &QAction::triggered, this, &CalendarMenuFrm::showAboutFrm);
    connect(m.MNU_X, &QAction::triggered, this, &CalendarMenuFrm::MNU_X_Click);

    connect(m.MNU_J_J, &QAction::triggered, this, &CalendarMenuFrm::showJumpFrm);
    connect(m.MNU_J_T, &QAction::triggered, this,
            [this] { drawMonth(FirstDayText(m_context.clock().today())); });
    connect(m.MNU_J_B, &QAction::triggered, this, [this] { stepDisplayedYear(-1); });
    connect(m.MNU_J_N, &QAction::triggered, this, [this] { stepDisplayedYear(1); });
    for (int month = 1; month <= 12; ++month) {
        connect(m.MNU_J_month[std::size_t(month - 1)], &QAction::triggered, this, [this, month] {
            const int year = m_context.displayMonthDate().year();
            drawMonth(FirstDayText(QDate(year, month, 1)));
        });
    }

    connect(m.MNU_EDITFRM_N, &QAction::triggered, &m_context.events(),
            &AppEvents::editorNewCommandRequested);
    connect(m.MNU_EDITFRM_D, &QAction::triggered, &m_context.events(),
            &AppEvents::editorDeleteCommandRequested);
}

void CalendarMenuFrm::connectContext()
{
    AppEvents& events = m_context.events();
    connect(&events, &AppEvents::popupMenuRequested, this, &CalendarMenuFrm::PopupMenuShow);
    connect(&events, &AppEvents::jumpMenuRequested, this,
            [this](const QPoint& globalPos) { m_menus.MNU_JUMP->popup(globalPos); });
    connect(&events, &AppEvents::monthDrawn, this, &CalendarMenuFrm::tickJumpMonth);
    connect(&events, &AppEvents::todayCursorPlaced, this, &CalendarMenuFrm::writeTodayTip);
    connect(&events, &AppEvents::dateChanged, this, &CalendarMenuFrm::setDayNotifyIcon);
    connect(&events, &AppEvents::syncStatusChanged, this, &CalendarMenuFrm::syncStatusChanged);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &CalendarMenuFrm::removeTrayIcon);
}

// --- Tray icon ------------------------------------------------------------

void CalendarMenuFrm::setDayNotifyIcon()
{
    setDayNotifyIconFor(m_context.clock().today());
}

void CalendarMenuFrm::setDayNotifyIconFor(QDate today)
{
    if (m_context.settings().ShowDayIcon) {
        m_tray.setIcon(ImageDay(today.day()));
    } else {
        m_tray.setIcon(m_image1[0]);
    }
}

void CalendarMenuFrm::setTrayPicture(int index, const QString& file)
{
    const std::size_t i = index == 0 ? 0 : 1;
    m_image1[i] = IconFromFileOr(file, i == 0 ? CalendarPageIcon() : CalendarPageIconLit());
    m_tray.setIcon(m_image1[0]);
}

void CalendarMenuFrm::UpdateTrayToolTip()
{
    showTip(m_context.settings().TootTipType);
}

void CalendarMenuFrm::writeTodayTip()
{
    showTip(0);
}

void CalendarMenuFrm::showTip(int layout)
{
    try {
        QString tip = getToolTipTextByDate(m_context, layout);
        if (m_context.syncStatus.failing)
            tip += u'\n' + m_context.syncStatus.line;
        m_tray.setToolTip(tip);
    } catch (const EngineError&) {
        // A tip is not the place to report a broken file: it keeps its last
        // text, and the next drawing of the month reports the fault.
    }
}

void CalendarMenuFrm::setSyncOffered(bool offered)
{
    m_menus.MNU_Y->setVisible(offered);
}

void CalendarMenuFrm::syncStatusChanged()
{
    const SyncStatus& status = m_context.syncStatus;
    if (!status.failing) {
        if (!status.running)
            m_syncFailureShown = false;
        if (status.line.isEmpty() || !status.running)
            UpdateTrayToolTip();
        return;
    }
    UpdateTrayToolTip();
    // A failure is told once, not at every retry, until a sync succeeds.
    if (m_syncFailureShown)
        return;
    m_syncFailureShown = true;
    QSystemTrayIcon* icon = m_tray.systemIcon();
    if (icon && QSystemTrayIcon::supportsMessages()) {
        icon->showMessage(AppTitle, status.line, QSystemTrayIcon::Warning);
        return;
    }
    // No balloons here: one message that waits without holding anything up.
    delete m_syncFailureBox;
    auto* box = new QMessageBox(QMessageBox::Warning, AppTitle, status.line, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
    m_syncFailureBox = box;
}

void CalendarMenuFrm::startFlashing()
{
    m_flashTimer.start();
}

void CalendarMenuFrm::stopFlashing()
{
    m_flashTimer.stop();
}

void CalendarMenuFrm::flashTick()
{
    m_flashCounter = m_flashCounter >= 1 ? 0 : m_flashCounter + 1;
    m_tray.setIcon(m_image1[std::size_t(m_flashCounter)]);
}

void CalendarMenuFrm::SetAlarmMsg()
{
    stopFlashing();
    emit m_context.events().alarmMessageRequested();
}

void CalendarMenuFrm::trayActivated(QSystemTrayIcon::ActivationReason reason)
{
    UpdateTrayToolTip();
    switch (reason) {
    case QSystemTrayIcon::Trigger:
    case QSystemTrayIcon::DoubleClick: // the second click of a double click
        trayLeftClick();
        break;
    case QSystemTrayIcon::Context:
        // A docking tray has opened the menu already (its opening saw to the
        // alarm); a panel that only reports the click gets it opened here.
        if (isFlashing()) {
            m_menus.MNU->hide();
            SetAlarmMsg();
        } else if (!m_menus.MNU->isVisible()) {
            PopupMenuShow(QCursor::pos());
        }
        break;
    default:
        break;
    }
}

void CalendarMenuFrm::trayLeftClick()
{
    if (isFlashing()) {
        SetAlarmMsg();
        return;
    }
    if (!m_context.settings().IconClickView) {
        return;
    }
    toggleCalendarView();
    if (m_context.settings().CalendarView && !m_context.settings().TopView) {
        m_context.events().raiseCalendarRequested();
    }
}

void CalendarMenuFrm::removeTrayIcon()
{
    m_flashTimer.stop();
    m_tray.hide();
}

// --- Popup menus ----------------------------------------------------------

std::optional<QDate> CalendarMenuFrm::selectedDate() const
{
    const int cell = m_context.SelectedCell;
    if (cell == 0) {
        return m_context.clock().today();
    }
    const QDate month = m_context.displayMonthDate();
    const std::optional<int> day = DayInCell(month, cell);
    if (!day) {
        return std::nullopt;
    }
    return QDate(month.year(), month.month(), *day);
}

void CalendarMenuFrm::setDayItemCaptions()
{
    int day = TodayCaptions;
    if (m_context.SelectedCell != 0) {
        const std::optional<int> shown =
            DayInCell(m_context.displayMonthDate(), m_context.SelectedCell);
        if (shown) {
            day = *shown;
        } else {
            m_context.SelectedCell = 0;
        }
    }
    const DayItemCaptions captions = DayItemCaptionsFor(day);
    m_menus.MNU_E->setText(captions.edit);
    m_menus.MNU_D->setText(captions.remove);
}

void CalendarMenuFrm::PopupMenuShow(const QPoint& globalPos)
{
    m_popupByProgram = true;
    m_menus.MNU->popup(globalPos);
    m_popupByProgram = false;
}

void CalendarMenuFrm::menuAboutToShow()
{
    // Opened by the tray (a panel asking over the bus, or a docking tray on
    // its own) while an alarm waits: the alarm comes instead of the menu.
    if (!m_popupByProgram && isFlashing()) {
        SetAlarmMsg();
        QMetaObject::invokeMethod(m_menus.MNU, &QWidget::hide, Qt::QueuedConnection);
        return;
    }
    setDayItemCaptions();
    syncMenuTicks();
}

void CalendarMenuFrm::syncMenuTicks()
{
    m_menus.MNU_T->setChecked(m_context.settings().TopView);
    m_menus.MNU_P->setChecked(m_context.settings().CalendarView);
}

void CalendarMenuFrm::tickJumpMonth(QDate displayMonth)
{
    for (int month = 1; month <= 12; ++month) {
        SetMonthTicked(m_menus.MNU_J_month[std::size_t(month - 1)], month == displayMonth.month());
    }
}

void CalendarMenuFrm::setViewerJumpHandler(std::function<bool(int, int)> handler)
{
    m_viewerJump = std::move(handler);
}

// --- Menu commands --------------------------------------------------------

void CalendarMenuFrm::drawMonth(const QString& firstDay)
{
    m_context.events().drawCalendarRequested(firstDay);
}

void CalendarMenuFrm::stepDisplayedMonth(int months)
{
    drawMonth(FirstDayText(m_context.displayMonthDate().addMonths(months)));
}

void CalendarMenuFrm::stepDisplayedYear(int years)
{
    // The menu has no year limit, unlike the arrow keys; only a year the
    // calendar cannot hold is refused.
    const QDate target = m_context.displayMonthDate().addYears(years);
    if (target.isValid() && target.year() >= 1) {
        drawMonth(FirstDayText(target));
    }
}

void CalendarMenuFrm::openEditorOnSelectedDay()
{
    if (const std::optional<QDate> date = selectedDate()) {
        m_context.events().editorRequested(*date, false);
    }
}

void CalendarMenuFrm::MNU_D_Click()
{
    const std::optional<QDate> date = selectedDate();
    ScheduleDatabase* database = m_context.database();
    if (!date || !database) {
        return;
    }
    try {
        DeleteDaySchedules(database->schedules(), *date);
    } catch (const EngineError& error) {
        MsgBox(QStringLiteral("予定を削除できませんでした。\n") + error.message(),
               MsgBoxStyle::Exclamation, AppTitle);
    }
    BusyPointer busy;
    drawMonth(m_context.DisplayMonth);
    m_context.events().alarmScanRequested();
}

void CalendarMenuFrm::toggleCalendarView()
{
    Settings& settings = m_context.settings();
    settings.CalendarView = !settings.CalendarView;
    m_menus.MNU_P->setChecked(settings.CalendarView);
    m_context.events().calendarVisibilityRequested(settings.CalendarView);
    if (settings.CalendarView) {
        m_context.events().paintBackgroundRequested();
    }
}

void CalendarMenuFrm::toggleTopView()
{
    Settings& settings = m_context.settings();
    settings.TopView = !settings.TopView;
    m_menus.MNU_T->setChecked(settings.TopView);
    m_context.events().topMostRequested(settings.TopView);
}

void CalendarMenuFrm::showSetDateFrm()
{
    if (!m_setDateFrm) {
        m_setDateFrm = new SetDateFrm(m_context);
    }
    m_setDateFrm->show();
    m_setDateFrm->raise();
    m_setDateFrm->activateWindow();
}

void CalendarMenuFrm::showJumpFrm()
{
    if (!m_jumpFrm) {
        m_jumpFrm = new JumpFrm(m_context, m_viewerJump);
    }
    m_jumpFrm->show();
    m_jumpFrm->raise();
    m_jumpFrm->activateWindow();
}

void CalendarMenuFrm::showAboutFrm()
{
    if (!m_aboutFrm) {
        m_aboutFrm = new AboutFrm(m_context);
    }
    m_aboutFrm->show();
    SetTopMost(m_aboutFrm);
    m_aboutFrm->activateWindow();
}

void CalendarMenuFrm::showHelp()
{
    if (!m_helpWindow) {
        m_helpWindow = new HelpWindow;
        m_helpWindow->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_helpWindow->showTopic(QString::fromLatin1(CalendarHelpTopic));
}

void CalendarMenuFrm::MNU_X_Click()
{
    m_context.events().exitRequested();
    removeTrayIcon();
}

} // namespace morvane
