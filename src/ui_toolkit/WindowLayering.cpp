#include "ui_toolkit/WindowLayering.h"

#include "ui_toolkit/platform/Compositing.h"

#include <QGuiApplication>

namespace morvane {

bool IsLayeringAvailable()
{
    // Windows, macOS and Wayland always compose windows; only X11 leaves it
    // to an optional compositing manager.
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return X11HasCompositingManager();
    return true;
}

} // namespace morvane
