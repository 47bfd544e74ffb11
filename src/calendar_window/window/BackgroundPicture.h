#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

namespace morvane {

// How the background picture is placed (the PicturePosition setting).
inline constexpr int PictureCentred = 0; // actual size, centred, cropped to the middle
// Any other value stretches the picture over the whole background.

// The calendar's own background (Picture2): the background colour with the
// picture on it, size in pixels. A null picture leaves the plain colour.
QImage ComposeCalendarBackground(QSize size, const QColor& backColor, const QImage& picture,
                                 int picturePosition);

} // namespace morvane
