#pragma once

#include <QCursor>
#include <QPointer>

class QWidget;

namespace morvane {

// Pointer codes a window can show.
enum class MousePointer
{
    Default = 0,
    Hourglass = 11,
    ArrowHourglass = 13, // busy, but the window still takes clicks
    Custom = 99,         // the window's own pointer (a pointing hand unless given)
};

QCursor CursorFor(MousePointer pointer, const QCursor& custom = QCursor(Qt::PointingHandCursor));

// Sets the pointer shown over widget (and its children that have no pointer of
// their own). Default removes the widget's own pointer.
void SetMousePointer(QWidget* widget, MousePointer pointer,
                     const QCursor& custom = QCursor(Qt::PointingHandCursor));

// Shows the hourglass for the lifetime of the guard and restores what was
// there before, also when the scope is left by an early return. Without a
// widget the pointer changes over the whole application (the usual case for
// a long action); with one, only over that widget. Guards nest.
class BusyPointer
{
public:
    explicit BusyPointer(MousePointer pointer = MousePointer::Hourglass);
    explicit BusyPointer(QWidget* widget, MousePointer pointer = MousePointer::Hourglass);
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

    // Restores the pointer now; the destructor then does nothing.
    void release();

private:
    bool m_active = false;
    bool m_applicationWide = false;
    QPointer<QWidget> m_widget; // may be destroyed while busy (events run)
    bool m_widgetHadCursor = false;
    QCursor m_previousCursor;
};

// Shows the ordinary arrow for its lifetime when a BusyPointer is active over
// the application, so that a dialog asking the user something in the middle
// of a long action does not look busy itself. Does nothing otherwise.
class ArrowWhileAsking
{
public:
    ArrowWhileAsking();
    ~ArrowWhileAsking();
    ArrowWhileAsking(const ArrowWhileAsking&) = delete;
    ArrowWhileAsking& operator=(const ArrowWhileAsking&) = delete;

private:
    bool m_pushed = false;
};

} // namespace morvane
