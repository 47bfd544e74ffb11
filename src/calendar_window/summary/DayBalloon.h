#pragma once

#include "calendar_window/summary/DayBalloonText.h"

#include <QDate>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>

class QWidget;

namespace morvane {

class AppContext;
class CalendarFrm;
class DayBalloonPopup;

// The balloon that lists the schedules of the day under the mouse on the
// calendar window. The calendar decides when a day deserves one (a new day
// cell under a resting pointer) and when it goes; the balloon then appears
// once the pointer rests for a moment, and hides while a button is pressed
// or the calendar is hidden.
class DayBalloon : public QObject
{
    Q_OBJECT

public:
    // calendar: the window whose cells are hovered (may be null in tests).
    DayBalloon(AppContext& context, QWidget* calendar);
    ~DayBalloon() override;

    // Builds the balloon of date and shows it shortly near the pointer.
    // Nothing when ToolTipView is off.
    void ShowDayBalloon(QDate date, QPoint globalPos);

    // Removes the balloon.
    void destroyBalloon();

    // The text of the balloon built last; empty title and body when there
    // is none.
    DayBalloonText currentText() const { return m_text; }
    bool hasBalloon() const { return m_armed; }
    bool isShown() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showNow();

    AppContext& m_context;
    QPointer<QWidget> m_calendar;
    QPointer<DayBalloonPopup> m_popup;
    QTimer m_restTimer;
    DayBalloonText m_text;
    QPoint m_place;
    bool m_armed = false; // a balloon was built and not removed
};

// Gives the calendar window its balloon: built when the window hands a day
// over, removed when it says so. Owned by the window.
DayBalloon* AttachDayBalloon(CalendarFrm& calendar);

} // namespace morvane
