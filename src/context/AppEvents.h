#pragma once

#include <QDate>
#include <QObject>
#include <QPoint>
#include <QString>

namespace morvane {

// Requests and notifications between windows that do not know each other.
// The calendar window, the tray menu and the later windows (editor, viewer,
// alarms) only see the application context; whoever can carry out a request
// connects to it when it is created. A request nobody has connected to yet
// does nothing.
class AppEvents : public QObject
{
    Q_OBJECT

public:
    explicit AppEvents(QObject* parent = nullptr) : QObject(parent) {}

signals:
    // --- Requests -------------------------------------------------------

    // Redraw the calendar for the month of firstDay ("2026/12/01"); every
    // change of the displayed month or of schedule data ends with it.
    void drawCalendarRequested(const QString& firstDay);
    // Repaint the calendar background (after a dialog over it closed, after
    // showing the window again).
    void paintBackgroundRequested();
    // Show or hide the calendar window (the tray's show/hide toggle).
    void calendarVisibilityRequested(bool visible);
    // Keep the calendar above other windows, or stop doing so.
    void topMostRequested(bool topMost);
    // Bring the calendar to the front once, without keeping it there.
    void raiseCalendarRequested();
    // Move the calendar window to this place (twips), without storing it.
    void calendarMoveRequested(QPoint positionTwips);
    // Let the calendar go to the bottom of the stack when so set.
    void sendToBottomRequested();

    // Show the main popup menu at the mouse (right button on the calendar).
    void popupMenuRequested(QPoint globalPos);
    // Show the jump menu at the mouse (the jump icon).
    void jumpMenuRequested(QPoint globalPos);
    // Open the day editor on date; fromViewer when the viewer asks.
    void editorRequested(QDate date, bool fromViewer);
    // Open the viewer on year/month, on the memo list when memoList.
    void viewerRequested(int year, int month, bool memoList);
    // The database was just created: offer the initial schedule set.
    void initialScheduleSetRequested();
    // Rebuild today's alarm list after schedules changed.
    void alarmScanRequested();
    // The user asks for the alarm window of the entry AlarmIndex (the
    // flashing tray icon was clicked): it comes to the front and takes the
    // keys, so nothing typed lands in the window behind it.
    void alarmMessageRequested();
    // An alarm was raised with flashing off: the alarm window of the entry
    // AlarmIndex comes up over whatever the user is doing without taking
    // the keys.
    void alarmMessageRaised();
    // Start or stop the tray flasher (an alarm waits / no longer waits).
    void alarmFlashRequested(bool flashing);
    // Refresh the tray icon (the day icon or the normal picture).
    void trayIconRefreshRequested();
    // Open the search window, the options dialog.
    void searchRequested();
    void optionsRequested();
    // The editor, already opened on date, starts a new schedule there.
    void newScheduleRequested(QDate date);
    // The editor's own new and delete commands (the MNU_EDITFRM popup).
    void editorNewCommandRequested();
    void editorDeleteCommandRequested();
    // Refill the viewer's list (schedules changed while it is shown).
    void viewerRefreshRequested();
    // End the program: settings saved once, tray icon removed.
    void exitRequested();
    // Sync with the calendar server now, in the background (the tray's
    // "今すぐ同期(&Y)", the options page's "今すぐ同期").
    void syncNowRequested();
    // The sync options were saved: the background sync starts, stops or
    // follows the new server, calendar and interval.
    void syncSettingsChanged();

    // --- Notifications --------------------------------------------------

    // A month was drawn (the jump menu ticks its month).
    void monthDrawn(QDate displayMonth);
    // The today cursor was placed: the current month is shown, so the tray
    // tip describes today.
    void todayCursorPlaced(QDate today);
    // The date changed while running (first tick after midnight).
    void dateChanged(QDate today);
    // Progress of the start-up window, 0 to 100.
    void startupProgress(int value);
    // Something went wrong while drawing; text is the message to show once.
    void warningRaised(const QString& text);
    // A sync started, ended or failed: AppContext::syncStatus changed.
    void syncStatusChanged();
};

} // namespace morvane
