// Where the calendar's labels and icons are on the surface, how they are
// painted, and which of them lies under a point.

#include "calendar_window/window/CalendarFrm.h"
#include "ui_toolkit/Twips.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace morvane {

namespace {

QRect RelativeRect(const QRect& base, const QRect& baseTwips, const QRect& twips)
{
    return {base.left() + TwipsToPixelsX(twips.left() - baseTwips.left()),
            base.top() + TwipsToPixelsY(twips.top() - baseTwips.top()),
            TwipsToPixelsX(twips.width()), TwipsToPixelsY(twips.height())};
}

// Dark on a light colour, light on a dark one: the edge that keeps a glyph
// readable over whatever lies under it.
QColor HaloFor(const QColor& color)
{
    return color.lightnessF() > 0.55 ? QColor(30, 30, 30) : QColor(245, 245, 245);
}

// text at origin, ringed by its halo.
void DrawHaloText(QPainter& painter, QPointF origin, const QString& text, const QFont& font,
                  const QColor& color)
{
    QPainterPath path;
    path.addText(origin, font, text);
    const qreal width = std::max(1.5, QFontInfo(font).pixelSize() / 12.0);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.strokePath(path,
                       QPen(HaloFor(color), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(path, color);
    painter.restore();
}

void PaintCaption(QPainter& painter, const CellLabel& label, const QRect& rect, const QColor& color,
                  bool onCursor = false)
{
    if (label.caption().isEmpty())
        return;
    const QPoint origin = label.textOrigin(rect, label.caption());
    if (onCursor) {
        DrawHaloText(painter, origin, label.caption(), label.font(), color);
        return;
    }
    painter.setFont(label.font());
    painter.setPen(color);
    painter.drawText(origin, label.caption());
}

// The today cursor fills the mark layer. The mark glyph is centred on the
// digits of the day number in front of it, so a circle or a square frames
// the number whatever the fonts. On the cursor the number needs the room: the
// mark sits small and ringed on the cursor's upper right corner, where
// neither the number nor the cursor hide it.
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
    if (label.opaque) {
        QFont font = label.font();
        font.setPixelSize(std::max(5, QFontInfo(label.font()).pixelSize() * 11 / 20));
        const QFontMetricsF metrics(font);
        const QRectF ink = metrics.boundingRect(glyph);
        const QPointF corner(rect.right() + 1.0, rect.top());
        const QPointF origin(std::round(corner.x() - ink.center().x()),
                             std::round(corner.y() - ink.center().y()));
        DrawHaloText(painter, origin, glyph, font, label.foreColor);
        return;
    }
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
        // Today's number is ringed: on the cursor and a mark it would
        // otherwise be lost.
        PaintCaption(painter, LB_B[index], labelRectPixels(CalendarPart::FaceLabel, index),
                     LB_B[index].foreColor, LB_C[index].opaque);
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
