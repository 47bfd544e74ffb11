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
// smaller), otherwise moved the shortest way onto the nearest screen, with
// its top edge on it. No screens: unchanged.
QPoint KeepReachable(QPoint wanted, QSize size, const QList<QRect>& screens);

// The same against the available areas of this desktop's screens.
QPoint KeepReachableOnDesktop(QPoint wanted, QSize size);

} // namespace morvane
