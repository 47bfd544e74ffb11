#pragma once

#include <QImage>

namespace morvane {

// The calendar's own icons, drawn in code so they stay crisp at any scale.
// Sizes are logical pixels; scale is the device pixel ratio to draw for.

// Previous and next month: a white triangle pointing left or right, 10 x 10.
QImage PreviousMonthIcon(qreal scale = 1.0);
QImage NextMonthIcon(qreal scale = 1.0);
// Jump: a framed letter J beside small up and down arrows, 16 x 16.
QImage JumpIcon(qreal scale = 1.0);
// Memo list: an open book, 16 x 16.
QImage MemoIcon(qreal scale = 1.0);

} // namespace morvane
