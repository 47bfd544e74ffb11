#pragma once

#include "calendar_window/input/StepMonth.h"
#include "calendar_window/window/CalendarHit.h"

#include <QObject>
#include <QPoint>

class QMouseEvent;
class QKeyEvent;
class QWheelEvent;
class QHelpEvent;

namespace morvane {

class CalendarFrm;

// Everything the user does on the calendar window: the month icons, the
// arrow keys, the wheel (months, and the size with Ctrl), presses on days and
// the title, the right-button popup, dragging the window, the balloon
// hand-over, and the title clock.
//
// Mouse events follow the pressed part until the button is released, as a
// press captures the mouse: a month icon steps even when released outside
// it, and a drag that began on a blank cell goes on over the days.
class CalendarInput : public QObject
{
    Q_OBJECT

public:
    explicit CalendarInput(CalendarFrm& window);

    // Shows the month one step away (keys, icons, wheel). A year step
    // outside 1950 to 2050 does nothing.
    void stepMonth(MonthStep step);
    // One zoom step (Ctrl + wheel); nothing at size 1 or 12.
    void zoom(bool zoomIn);
    // One tick of the title clock.
    void titleClockTick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void mousePress(QMouseEvent* event);
    void mouseMove(QMouseEvent* event);
    void mouseRelease(QMouseEvent* event);
    bool keyPress(QKeyEvent* event);
    void keyRelease(QKeyEvent* event);
    bool wheel(QWheelEvent* event);
    void toolTip(QHelpEvent* event);

    void dayOrTitlePress(int index, Qt::MouseButton button, QPoint globalPos);
    void showPopupMenu(QPoint globalPos);
    bool isDragPart(const CalendarHit& hit) const;
    void dragCalendarWindow(Qt::MouseButtons buttons, QPoint globalPos);
    void finishDrag();
    void hoverFace(int index, Qt::MouseButtons buttons, QPoint globalPos);
    void dismissBalloon();
    void updatePointer(const CalendarHit& hit);

    CalendarFrm& m_window;

    // The part that took the last press, while a button is held.
    CalendarHit m_captured;
    bool m_capturing = false;
    // The popup was shown by this press already; the release must not show
    // it a second time.
    bool m_popupShown = false;

    // Window drag: where the press was and where the window was then.
    QPoint m_pressGlobal;
    QPoint m_pressLocal;
    QPoint m_pressWindowPos;
    bool m_dragging = false;

    // The face label the balloon was last built for.
    int m_lastTipIndex = -1;
    // The part under the pointer at the last move.
    CalendarHit m_hovered;
    // The hand is shown over the surface.
    bool m_customPointer = false;
};

} // namespace morvane
