#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace morvane {

// How much of a window must stay on a screen for the user to grab it again.
inline constexpr int kReachablePixels = 40;

// The top-left corner (pixels) for a window of `size` that was asked to
// stand at `wanted`: unchanged when enough of it lies on one of `screens`
// (at least kReachablePixels each way, or the whole window when it is
// smaller), otherwise moved the shortest way onto the screen nearest to
// its centre, wholly on it where it fits (a place on a screen that is gone
// brings the whole window back, not a sliver of it). No screens: unchanged.
QPoint KeepReachable(QPoint wanted, QSize size, const QList<QRect>& screens);

// The same against the available areas of this desktop's screens.
QPoint KeepReachableOnDesktop(QPoint wanted, QSize size);

// Whether a program's own placing of its windows holds on this desktop
// (X11, XWayland), so that a window's position is where it stands. Not on
// native Wayland, where the compositor places windows and tells no one.
bool ProgramPlacesWindows();

// Whether the window system moves a window itself when asked at a press
// (native Wayland), rather than the program following the pointer.
bool WindowSystemMovesWindows();

} // namespace morvane
