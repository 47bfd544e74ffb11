#pragma once

#include <QImage>
#include <QRect>

namespace morvane {

// The desktop's own background (its wallpaper or colour) on the screen
// rectangle `devicePixels`, with no window on it, the calendar's included:
// the wallpaper picture a desktop publishes on its root window where there
// is one, else the root window's background as the X server paints it. The
// calendar stays on screen while it is taken. Null off X11.
QImage GrabRootBackground(const QRect& devicePixels);

} // namespace morvane
