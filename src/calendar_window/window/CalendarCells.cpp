// Where the calendar's labels and icons are on the surface, how they are
// painted, and which of them lies under a point.

#include "calendar_window/window/CalendarFrm.h"
#include "ui_toolkit/Twips.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace morvane {

namespace {

QRect RelativeRect(const QRect& base, const QRect& baseTwips, const QRect& twips)
{
    return {base.left() + TwipsToPixelsX(twips.left() - baseTwips.left()),
            base.top() + TwipsToPixelsY(twips.top() - baseTwips.top()),
            TwipsToPixelsX(twips.width()), TwipsToPixelsY(twips.height())};
}

void PaintCaption(QPainter& painter, const CellLabel& label, const QRect& rect, const QColor& color)
{
    if (label.caption().isEmpty())
        return;
    painter.setFont(label.font());
    painter.setPen(color);
    painter.drawText(label.textOrigin(rect, label.caption()), label.caption());
}

// The today cursor fills the mark layer. The mark glyph is centred on the
// digits of the day number in front of it, so a circle or a square frames
// the number whatever the fonts.
void PaintMark(QPainter& painter, const CellLabel& label, const QRect& rect, const CellLabel& face,
               const QRect& faceRect)
{
    if (label.opaque) {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(label.backColor);
        painter.drawRoundedRect(QRectF(rect), 2.0, 2.0);
        painter.restore();
    }
    const QString glyph = label.caption().trimmed();
    if (glyph.isEmpty() || glyph == QStringLiteral(u"\u3000"))
        return;
    const QFontMetricsF faceMetrics(face.font());
    const QPointF centre(faceRect.left() + faceRect.width() / 2.0,
                         faceRect.top() + CellLabel::baselineOffset(face.font()) -
                             faceMetrics.capHeight() / 2.0);
    // The glyph's em box is centred, not its ink: the marks are drawn in the
    // middle of their em like the ideographs, and "＿" keeps its place
    // under the number.
    painter.setFont(label.font());
    painter.setPen(label.foreColor);
    const QFontMetricsF metrics(label.font());
    const qreal em = QFontInfo(label.font()).pixelSize();
    const QPointF origin(std::round(centre.x() - metrics.horizontalAdvance(glyph) / 2.0),
                         std::round(centre.y() + em * 0.37));
    painter.drawText(origin, glyph);
}

} // namespace

QRect CalendarFrm::labelTwipsToPixels(const QRect& twips) const
{
    return {TwipsToPixelsX(twips.left()), TwipsToPixelsY(twips.top()),
            TwipsToPixelsX(twips.width()), TwipsToPixelsY(twips.height())};
}

// The face and mark layers are placed from the shadow's pixels so that the
// offsets of 16 twips always come out as the same whole pixels.
QRect CalendarFrm::labelRectPixels(CalendarPart layer, int index) const
{
    const QRect shadowTwips = LB_A[index].geometry();
    const QRect shadow = labelTwipsToPixels(shadowTwips);
    if (layer == CalendarPart::ShadowLabel)
        return shadow;
    const QRect face = RelativeRect(shadow, shadowTwips, LB_B[index].geometry());
    if (layer == CalendarPart::FaceLabel)
        return face;
    return RelativeRect(face, LB_B[index].geometry(), LB_C[index].geometry());
}

QRect CalendarFrm::iconRectPixels(int number) const
{
    const IconButton& button = icon(number);
    return {TwipsToPixels(button.position), button.sizePixels};
}

void CalendarFrm::paintCells(QPainter& painter) const
{
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (int index = 0; index < CellCount; ++index) {
        PaintMark(painter, LB_C[index], labelRectPixels(CalendarPart::MarkLabel, index),
                  LB_B[index], labelRectPixels(CalendarPart::FaceLabel, index));
    }
    for (int index = 0; index < CellCount; ++index) {
        PaintCaption(painter, LB_A[index], labelRectPixels(CalendarPart::ShadowLabel, index),
                     LB_A[index].foreColor);
    }
    for (int index = 0; index < CellCount; ++index) {
        PaintCaption(painter, LB_B[index], labelRectPixels(CalendarPart::FaceLabel, index),
                     LB_B[index].foreColor);
    }
    for (int number = 1; number <= 4; ++number) {
        const IconButton& button = icon(number);
        if (button.visible)
            painter.drawImage(iconRectPixels(number), button.picture);
    }
}

CalendarHit CalendarFrm::hitTest(QPoint surfacePos) const
{
    for (int number = 4; number >= 1; --number) {
        if (icon(number).visible && iconRectPixels(number).contains(surfacePos))
            return {CalendarPart::Icon, number};
    }
    for (const CalendarPart layer :
         {CalendarPart::FaceLabel, CalendarPart::ShadowLabel, CalendarPart::MarkLabel}) {
        for (int index = CellCount - 1; index >= 0; --index) {
            if (labelRectPixels(layer, index).contains(surfacePos))
                return {layer, index};
        }
    }
    return {};
}

} // namespace morvane
