#include "calendar_window/window/IconArt.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace morvane {

namespace {

const QColor kFace(255, 255, 255);
// A soft dark edge keeps the white shapes readable on a light desktop.
const QColor kEdge(0, 0, 0, 110);

QImage Canvas(int size, qreal scale)
{
    const int pixels = static_cast<int>(std::ceil(size * scale));
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(scale);
    return image;
}

void Prepare(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
}

// Draws path in white over a dark copy one pixel down and right.
void FillWithEdge(QPainter& painter, const QPainterPath& path)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(kEdge);
    painter.drawPath(path.translated(0.8, 0.8));
    painter.setBrush(kFace);
    painter.drawPath(path);
}

QImage Triangle(bool pointsLeft, qreal scale)
{
    QImage image = Canvas(10, scale);
    QPainter painter(&image);
    Prepare(painter);
    QPainterPath path;
    if (pointsLeft) {
        path.moveTo(1.0, 4.5);
        path.lineTo(8.0, 0.8);
        path.lineTo(8.0, 8.2);
    } else {
        path.moveTo(8.0, 4.5);
        path.lineTo(1.0, 0.8);
        path.lineTo(1.0, 8.2);
    }
    path.closeSubpath();
    FillWithEdge(painter, path);
    return image;
}

QPainterPath Arrow(qreal centreX, qreal tipY, qreal baseY)
{
    QPainterPath path;
    path.moveTo(centreX, tipY);
    path.lineTo(centreX + 2.2, baseY);
    path.lineTo(centreX - 2.2, baseY);
    path.closeSubpath();
    return path;
}

} // namespace

QImage PreviousMonthIcon(qreal scale)
{
    return Triangle(true, scale);
}

QImage NextMonthIcon(qreal scale)
{
    return Triangle(false, scale);
}

QImage JumpIcon(qreal scale)
{
    QImage image = Canvas(16, scale);
    QPainter painter(&image);
    Prepare(painter);

    // The frame, as an outline with a hole, so the desktop shows inside.
    // Edges sit on whole and half pixels so that they stay sharp at 1x.
    QPainterPath frame;
    frame.addRoundedRect(QRectF(0.0, 1.0, 11.0, 14.0), 2.0, 2.0);
    QPainterPath hole;
    hole.addRoundedRect(QRectF(1.5, 2.5, 8.0, 11.0), 1.0, 1.0);
    frame = frame.subtracted(hole);

    // The letter J: a bar across the top, a stem and a hook to the left.
    QPainterPath letter;
    letter.addRect(QRectF(3.5, 4.0, 5.0, 1.5));
    letter.addRect(QRectF(6.0, 4.0, 2.0, 6.0));
    QPainterPath hook;
    hook.moveTo(8.0, 9.5);
    hook.cubicTo(8.0, 12.6, 3.2, 12.8, 3.0, 9.5);
    hook.lineTo(4.8, 9.5);
    hook.cubicTo(4.9, 10.9, 6.0, 10.9, 6.0, 9.5);
    hook.closeSubpath();
    letter = letter.united(hook);

    QPainterPath arrows = Arrow(13.5, 2.0, 6.0).united(Arrow(13.5, 14.0, 10.0));
    FillWithEdge(painter, frame.united(letter).united(arrows));
    return image;
}

QImage MemoIcon(qreal scale)
{
    QImage image = Canvas(16, scale);
    QPainter painter(&image);
    Prepare(painter);

    // Two pages rising from the spine towards the outer corners.
    QPainterPath left;
    left.moveTo(7.6, 4.2);
    left.cubicTo(5.6, 2.6, 3.0, 2.4, 0.6, 3.2);
    left.lineTo(0.6, 13.0);
    left.cubicTo(3.0, 12.2, 5.6, 12.4, 7.6, 14.0);
    left.closeSubpath();
    QPainterPath right;
    right.moveTo(8.4, 4.2);
    right.cubicTo(10.4, 2.6, 13.0, 2.4, 15.4, 3.2);
    right.lineTo(15.4, 13.0);
    right.cubicTo(13.0, 12.2, 10.4, 12.4, 8.4, 14.0);
    right.closeSubpath();
    FillWithEdge(painter, left.united(right));

    // Lines of writing on both pages.
    painter.setPen(QPen(QColor(110, 120, 140), 0.7));
    for (int line = 0; line < 3; ++line) {
        const qreal y = 5.8 + line * 2.2;
        painter.drawLine(QPointF(2.2, y - 0.4), QPointF(6.2, y + 0.4));
        painter.drawLine(QPointF(9.8, y + 0.4), QPointF(13.8, y - 0.4));
    }
    return image;
}

} // namespace morvane
