#pragma once

#include <QWidget>

namespace morvane {

class CalendarFrm;

// The visible surface of the calendar (Picture1): its persistent background
// with the cells and icons painted over it. It takes the keyboard focus and
// every mouse event of the window; CalendarInput filters them.
class CalendarSurface : public QWidget
{
    Q_OBJECT

public:
    CalendarSurface(CalendarFrm& window, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CalendarFrm& m_window;
};

} // namespace morvane
