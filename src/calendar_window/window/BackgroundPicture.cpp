#include "calendar_window/window/BackgroundPicture.h"

#include <QPainter>
#include <cmath>

namespace morvane {

QImage ComposeCalendarBackground(QSize size, const QColor& backColor, const QImage& picture,
                                 int picturePosition)
{
    QImage background(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    background.fill(backColor);
    if (picture.isNull())
        return background;

    QPainter painter(&background);
    if (picturePosition != PictureCentred) {
        // The last ten pixels of the picture's right and bottom edges are
        // left out, as the fitted picture always was.
        const QRect source(0, 0, std::max(1, picture.width() - 10),
                           std::max(1, picture.height() - 10));
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(QPoint(0, 0), background.size()), picture, source);
        return background;
    }

    const int dx = static_cast<int>(std::floor((picture.width() - background.width()) / 2.0));
    const int dy = static_cast<int>(std::floor((picture.height() - background.height()) / 2.0));
    const QPoint target(dx < 0 ? -dx : 0, dy < 0 ? -dy : 0);
    const QPoint from(dx < 0 ? 0 : dx, dy < 0 ? 0 : dy);
    painter.drawImage(target, picture, QRect(from, picture.size()).intersected(picture.rect()));
    return background;
}

} // namespace morvane
