#include "ui_toolkit/WindowStacking.h"

#include "ui_toolkit/platform/DesktopLayer.h"

#include <QWidget>
#include <QWindow>

namespace morvane {

namespace {

void setStackingHints(QWidget* widget, bool onTop, bool atBottom)
{
    QWidget* window = widget->window();
    Qt::WindowFlags flags = window->windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, onTop);
    flags.setFlag(Qt::WindowStaysOnBottomHint, atBottom);
    // A window on the desktop's layers changes layer instead.
    SetDesktopLayerAbove(window, onTop);
    if (flags == window->windowFlags())
        return;
    if (QWindow* handle = window->windowHandle()) {
        // QWidget::setWindowFlags would recreate the native window and hide
        // it; the platform window can change its stacking hints in place.
        window->overrideWindowFlags(flags);
        handle->setFlags(flags);
    } else {
        // Not created yet: nothing is on screen to keep.
        window->setWindowFlags(flags);
    }
}

} // namespace

void SetTopMost(QWidget* widget)
{
    if (widget == nullptr)
        return;
    setStackingHints(widget, true, false);
    BringToFront(widget);
}

void SetNotTopMost(QWidget* widget)
{
    if (widget == nullptr)
        return;
    setStackingHints(widget, false, false);
    BringToFront(widget);
}

void SendToBottom(QWidget* widget)
{
    if (widget == nullptr)
        return;
    setStackingHints(widget, false, true);
    if (widget->window()->isVisible())
        widget->window()->lower();
}

void BringToFront(QWidget* widget)
{
    if (widget == nullptr)
        return;
    if (widget->window()->isVisible())
        widget->window()->raise();
}

bool IsTopMost(const QWidget* widget)
{
    return widget != nullptr && widget->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

bool IsKeptAtBottom(const QWidget* widget)
{
    return widget != nullptr &&
           widget->window()->windowFlags().testFlag(Qt::WindowStaysOnBottomHint);
}

} // namespace morvane
