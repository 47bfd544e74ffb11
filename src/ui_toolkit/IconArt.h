#pragma once

// Internal to ui_toolkit: the drawings behind the shared image list.

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QString>

namespace morvane::icon_art {

// Paints one icon on a 16 x 16 unit grid: the painter is already scaled so
// that one unit is size / 16 device pixels. Edges lie on whole units (fills)
// or half units (1-unit outlines), which keeps them sharp at 16 px and at
// every whole multiple of it.
using Art = void (*)(QPainter&);

// nullptr for a key without a drawing.
Art artFor(const QString& key);

void normalItem(QPainter& p);
void checkItem(QPainter& p);
void diaryItem(QPainter& p);
void memorialItem(QPainter& p);
void birthdayItem(QPainter& p);
void holidayItem(QPainter& p);
void tvItem(QPainter& p);
void magazineItem(QPainter& p);
void memoItem(QPainter& p);
void bookClose(QPainter& p);
void bookOpen(QPainter& p);
void appClose(QPainter& p);
void appOpen(QPainter& p);
void memoClose(QPainter& p);
void logClose(QPainter& p);
void alarmItem(QPainter& p);

// Drawing helpers in grid units.
inline void box(QPainter& p, double x, double y, double w, double h, const QColor& color)
{
    p.fillRect(QRectF(x, y, w, h), color);
}

// A box with a 1-unit border inside its bounds.
inline void framed(QPainter& p, double x, double y, double w, double h, const QColor& fill,
                   const QColor& line)
{
    box(p, x, y, w, h, line);
    box(p, x + 1, y + 1, w - 2, h - 2, fill);
}

// Fills a path and strokes it with a line of the given width, centred on
// the path (put 1-unit outlines on half units).
inline void shape(QPainter& p, const QPainterPath& path, const QColor& fill, const QColor& line,
                  double width = 1.0)
{
    p.setPen(QPen(line, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

inline QPainterPath polygonPath(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

// A line of the given width with round ends.
inline void stroke(QPainter& p, std::initializer_list<QPointF> points, const QColor& color,
                   double width)
{
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF(QList<QPointF>(points)));
}

} // namespace morvane::icon_art
