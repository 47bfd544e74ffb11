#pragma once

#include "calendar_window/summary/DayBalloonText.h"

#include <QDate>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;

namespace morvane {

class AppContext;
class DayBalloonPopup;

// The balloon that lists the schedules of the day under the mouse on the
// calendar window. The calendar reports every mouse move over a cell; the
// balloon appears once the pointer rests for a moment and goes away when the
// pointer leaves the window or a button is pressed.
class DayBalloon : public QObject
{
    Q_OBJECT

public:
    // calendar: the window whose cells are hovered; the balloon hides when
    // the pointer leaves it.
    DayBalloon(AppContext& context, QWidget* calendar);
    ~DayBalloon() override;

    // A mouse move over cell (0 title, 1 to 7 weekday header, 8 to 49 the
    // weeks). A new day cell gets a new balloon; moving within the same cell
    // keeps the balloon; a blank or header cell removes it but is not
    // remembered, so going straight back to the same day shows nothing new.
    void cellHovered(int cell);

    // Removes the balloon (the pointer went over an icon or left the cells).
    void destroyBalloon();

    // The cell the balloon was last built for, 0 before any.
    int lastTipIndex() const { return m_lastTipIndex; }
    // The text of the balloon built for the last day cell; empty title and
    // body when there is none.
    DayBalloonText currentText() const { return m_text; }
    bool hasBalloon() const { return m_armed; }
    bool isShown() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildFor(QDate date);
    void showNow();

    AppContext& m_context;
    QPointer<QWidget> m_calendar;
    QPointer<DayBalloonPopup> m_popup;
    QTimer m_restTimer;
    DayBalloonText m_text;
    int m_lastTipIndex = 0;
    bool m_armed = false;   // a balloon was built for the last day cell
    bool m_pending = false; // waiting for the pointer to rest
};

} // namespace morvane
