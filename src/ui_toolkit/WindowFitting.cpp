#include "ui_toolkit/WindowFitting.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace morvane {

namespace {

// Title bar and borders the desktop adds; before the first showing the
// desktop has not told them yet, so a usual title bar is assumed.
QMargins FrameMargins(const QWidget* window)
{
    const QRect frame = window->frameGeometry();
    const QRect inner = window->geometry();
    const QMargins known(inner.left() - frame.left(), inner.top() - frame.top(),
                         frame.right() - inner.right(), frame.bottom() - inner.bottom());
    if (!known.isNull() || window->isVisible())
        return known;
    return {4, 28, 4, 4};
}

} // namespace

QRect FitInside(QRect frame, const QRect& available)
{
    if (available.isEmpty())
        return frame;
    frame.setWidth(std::min(frame.width(), available.width()));
    frame.setHeight(std::min(frame.height(), available.height()));
    const int left = std::clamp(frame.left(), available.left(),
                                available.left() + available.width() - frame.width());
    const int top = std::clamp(frame.top(), available.top(),
                               available.top() + available.height() - frame.height());
    frame.moveTo(left, top);
    return frame;
}

void FitOnScreen(QWidget* window, const QWidget* over)
{
    if (!window)
        return;
    window = window->window();
    const QMargins margins = FrameMargins(window);
    QRect frame = window->geometry().marginsAdded(margins);
    const bool placed = window->testAttribute(Qt::WA_Moved);
    if (!placed && over)
        frame.moveCenter(over->window()->frameGeometry().center());
    const QScreen* screen = QGuiApplication::screenAt(frame.center());
    if (!screen || (!placed && !over))
        screen = over ? over->screen() : window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // Not placed yet and over nothing: the middle of the screen.
    if (!placed && !over)
        frame.moveCenter(screen->availableGeometry().center());
    // A window's position is that of its frame; its size that of its inside.
    const QRect fitted = FitInside(frame, screen->availableGeometry());
    const QSize inner = fitted.marginsRemoved(margins).size();
    if (inner != window->size())
        window->resize(inner.expandedTo(window->minimumSize()));
    window->move(fitted.topLeft());
}

} // namespace morvane
