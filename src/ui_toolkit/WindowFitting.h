#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

namespace morvane {

// The place for a window whose frame (title bar and borders included) was
// asked to be `frame`: wholly inside `available`, moved the shortest way,
// and made smaller where it is larger than the area.
QRect FitInside(QRect frame, const QRect& available);

// Puts a top-level window wholly on the available area of its screen, title
// bar and borders included, before it is shown or again while it is: a
// window left where it already fits stays there. With `over`, a window not
// yet placed by the user is first centred over it (a help window over its
// dialog).
void FitOnScreen(QWidget* window, const QWidget* over = nullptr);

} // namespace morvane
