#pragma once

#include <QImage>
#include <QRect>

namespace morvane {

// Lets the windows under a just-hidden calendar repaint: passes rounds of
// the event pump, each giving the other programs a moment.
void LetDesktopRepaint(int passes);

// What the screen shows in rect (global pixels), at that size. Null when the
// platform gives no picture of the screen (offscreen, some Wayland desktops).
QImage GrabDesktop(const QRect& rect);

} // namespace morvane
