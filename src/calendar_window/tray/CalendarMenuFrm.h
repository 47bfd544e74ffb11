#pragma once

#include "calendar_window/tray/PopupMenus.h"
#include "calendar_window/tray/TrayIcon.h"

#include <QDate>
#include <QIcon>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

namespace morvane {

class AppContext;
class AboutFrm;
class HelpWindow;
class JumpFrm;
class SetDateFrm;

// The hidden owner of the tray icon and the popup menus. It never shows
// itself: it keeps the icon in the notification area for the whole run,
// makes it flash while an alarm waits, and carries out the menu commands
// (the calendar window and the later windows are reached through the
// context's requests).
class CalendarMenuFrm : public QWidget
{
    Q_OBJECT

public:
    explicit CalendarMenuFrm(AppContext& context, QWidget* parent = nullptr);
    ~CalendarMenuFrm() override;

    const PopupMenus& menus() const { return m_menus; }
    TrayIcon& trayIcon() { return m_tray; }

    // The tray pictures: Image1(0) normal, Image1(1) the flashing partner,
    // ImageDay(d) the day icons.
    QIcon Image1(int index) const { return m_image1[std::size_t(index == 0 ? 0 : 1)]; }
    QIcon ImageDay(int day) const;

    // Tray picture index 0 (normal) or 1 (the flashing partner) from an icon
    // file, or the built-in picture when file is empty or unreadable; the
    // tray shows the change at once.
    void setTrayPicture(int index, const QString& file);
    // Puts the day icon (ShowDayIcon) or the normal icon into the tray.
    void setDayNotifyIcon();
    void setDayNotifyIconFor(QDate today);
    // Shows today's summary in the layout chosen by TootTipType.
    void UpdateTrayToolTip();
    // Shows layout 0 (after the current month was drawn).
    void writeTodayTip();

    // The flasher: an alarm that waits starts it; the alarm window stops it.
    void startFlashing();
    void stopFlashing();
    bool isFlashing() const { return m_flashTimer.isActive(); }

    // Shows the waiting alarm messages and stops the flashing.
    void SetAlarmMsg();

    // Sets the day captions from the pressed cell and shows the main popup
    // at globalPos.
    void PopupMenuShow(const QPoint& globalPos);
    // The captions the day items get now (also resets a pressed cell that
    // has become blank to "today").
    void setDayItemCaptions();

    // The day items act on this date: the pressed day of the displayed
    // month, today when no day was pressed, nothing for a blank cell.
    std::optional<QDate> selectedDate() const;

    // The jump dialog acts on the viewer when this returns true for
    // (year, month); the viewer installs it once it exists.
    void setViewerJumpHandler(std::function<bool(int, int)> handler);

    // Removes the icon from the notification area (the exit path).
    void removeTrayIcon();

    // "今すぐ同期(&Y)" is offered while sync with a calendar server is on.
    void setSyncOffered(bool offered);

    // Menu commands, public so that other windows can run them.
    void MNU_X_Click();
    void MNU_D_Click();

private:
    void connectMenus();
    void connectContext();
    void showTip(int layout);
    void trayActivated(QSystemTrayIcon::ActivationReason reason);
    void trayLeftClick();
    void menuAboutToShow();
    void flashTick();
    void syncMenuTicks();
    void tickJumpMonth(QDate displayMonth);
    // The sync item, the tip and the one message of a failing sync.
    void syncStatusChanged();

    void drawMonth(const QString& firstDay);
    void stepDisplayedMonth(int months);
    void stepDisplayedYear(int years);
    void toggleCalendarView();
    void toggleTopView();
    void showSetDateFrm();
    void showJumpFrm();
    void showAboutFrm();
    void showHelp();
    void openEditorOnSelectedDay();

    AppContext& m_context;
    PopupMenus m_menus;
    TrayIcon m_tray;
    bool m_popupByProgram = false; // the program itself is opening MNU
    std::array<QIcon, 2> m_image1;
    mutable std::array<QIcon, 32> m_imageDay; // drawn on first use
    QTimer m_flashTimer;
    int m_flashCounter = 0;
    std::function<bool(int, int)> m_viewerJump;
    bool m_syncFailureShown = false; // until a sync succeeds again
    QPointer<QWidget> m_syncFailureBox;

    QPointer<SetDateFrm> m_setDateFrm;
    QPointer<JumpFrm> m_jumpFrm;
    QPointer<AboutFrm> m_aboutFrm;
    QPointer<HelpWindow> m_helpWindow;
};

} // namespace morvane
