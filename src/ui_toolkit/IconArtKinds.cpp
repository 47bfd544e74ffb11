#include "ui_toolkit/IconArt.h"

// The schedule-kind icons, the memo and the alarm bell. Each uses one hue
// with a darker outline of the same hue, on a 16-unit grid.

namespace morvane::icon_art {

namespace {

const QColor Ink(0x3d, 0x44, 0x51);
const QColor Paper(0xff, 0xff, 0xff);
const QColor PaperShade(0xd5, 0xdb, 0xe5);
const QColor TextLine(0x8f, 0xa3, 0xc0);

} // namespace

void normalItem(QPainter& p)
{
    shape(p, polygonPath({{3.5, 1.5}, {9.5, 1.5}, {12.5, 4.5}, {12.5, 14.5}, {3.5, 14.5}}), Paper,
          Ink);
    shape(p, polygonPath({{9.5, 1.5}, {9.5, 4.5}, {12.5, 4.5}}), PaperShade, Ink);
    box(p, 5, 6, 6, 1, TextLine);
    box(p, 5, 8, 6, 1, TextLine);
    box(p, 5, 10, 6, 1, TextLine);
    box(p, 5, 12, 4, 1, TextLine);
}

void checkItem(QPainter& p)
{
    const QColor line(0x2f, 0x6b, 0x3a);
    QPainterPath frame;
    frame.addRoundedRect(QRectF(1.5, 3.5, 11, 11), 1.5, 1.5);
    shape(p, frame, Paper, Ink);
    // The tick overshoots the box like a pen mark.
    stroke(p, {{4.0, 8.5}, {7.0, 11.5}, {14.0, 2.5}}, line, 3.4);
    stroke(p, {{4.0, 8.5}, {7.0, 11.5}, {14.0, 2.5}}, QColor(0x3f, 0xb9, 0x50), 1.8);
}

void diaryItem(QPainter& p)
{
    const QColor cover(0xa8, 0x63, 0x2e);
    const QColor spine(0x7e, 0x45, 0x1c);
    const QColor line(0x4f, 0x2a, 0x0f);
    const QColor gold(0xf0, 0xc0, 0x3e);
    // Page block peeking out on the right, then the cover over it.
    framed(p, 4, 2, 10, 13, QColor(0xfa, 0xf3, 0xe0), line);
    framed(p, 2, 1, 11, 14, cover, line);
    box(p, 3, 2, 2, 12, spine);
    // Label with a written line.
    framed(p, 6, 3, 6, 4, QColor(0xfb, 0xf1, 0xd6), line);
    box(p, 7, 5, 4, 1, QColor(0xc0, 0x8a, 0x4a));
    // Clasp strap across the edge.
    box(p, 10, 9, 5, 3, line);
    box(p, 11, 10, 3, 1, gold);
}

void memorialItem(QPainter& p)
{
    const QColor ribbon(0xe2, 0x4a, 0x82);
    const QColor light(0xf4, 0x9a, 0xbc);
    const QColor line(0x8e, 0x1d, 0x4b);
    // Tails first so the loops and the knot cover their tops.
    shape(p, polygonPath({{7.0, 8.0}, {3.5, 14.5}, {5.5, 14.0}, {6.5, 15.5}, {9.0, 8.5}}), ribbon,
          line);
    shape(p, polygonPath({{9.0, 8.0}, {12.5, 14.5}, {10.5, 14.0}, {9.5, 15.5}, {7.0, 8.5}}), ribbon,
          line);
    shape(p, polygonPath({{8.0, 7.0}, {1.5, 2.5}, {1.5, 11.0}}), ribbon, line);
    shape(p, polygonPath({{8.0, 7.0}, {14.5, 2.5}, {14.5, 11.0}}), ribbon, line);
    shape(p, polygonPath({{3.0, 5.0}, {6.0, 7.0}, {3.0, 9.0}}), light, light, 0.0);
    shape(p, polygonPath({{13.0, 5.0}, {10.0, 7.0}, {13.0, 9.0}}), light, light, 0.0);
    QPainterPath knot;
    knot.addRoundedRect(QRectF(5.5, 4.5, 5, 5), 1.5, 1.5);
    shape(p, knot, ribbon, line);
}

void birthdayItem(QPainter& p)
{
    const QColor line(0x8a, 0x4b, 0x2a);
    const QColor sponge(0xf7, 0xdf, 0xa8);
    const QColor cream(0xff, 0xff, 0xff);
    const QColor berry(0xe5, 0x35, 0x3b);
    // Flame and candle.
    box(p, 7, 0, 2, 1, QColor(0xff, 0x9a, 0x1f));
    box(p, 7, 1, 2, 2, QColor(0xff, 0xd2, 0x3a));
    box(p, 8, 2, 1, 1, QColor(0xff, 0x9a, 0x1f));
    framed(p, 7, 3, 2, 4, QColor(0x6f, 0xa8, 0xf0), QColor(0x2c, 0x5a, 0x9c));
    // Cake with cream and strawberries on top, a jam layer and a plate.
    framed(p, 1, 6, 14, 9, sponge, line);
    box(p, 2, 7, 12, 3, cream);
    box(p, 3, 7, 2, 2, berry);
    box(p, 7, 7, 2, 2, berry);
    box(p, 11, 7, 2, 2, berry);
    box(p, 2, 11, 12, 1, QColor(0xf0, 0x8f, 0xa8));
    box(p, 0, 15, 16, 1, QColor(0x9a, 0xa3, 0xb0));
}

void holidayItem(QPainter& p)
{
    const QColor pole(0x5b, 0x62, 0x70);
    const QColor line(0x8e, 0x97, 0xa4);
    const QColor red(0xd7, 0x26, 0x2b);
    box(p, 2, 2, 1, 14, pole);
    box(p, 1, 1, 3, 2, QColor(0xe0, 0xa8, 0x20));
    framed(p, 3, 3, 12, 9, Paper, line);
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawEllipse(QPointF(9.0, 7.5), 2.6, 2.6);
}

void tvItem(QPainter& p)
{
    const QColor body(0x55, 0x5e, 0x6c);
    const QColor line(0x2b, 0x31, 0x3a);
    stroke(p, {{8.0, 4.0}, {4.5, 0.8}}, line, 1.0);
    stroke(p, {{8.0, 4.0}, {11.5, 0.8}}, line, 1.0);
    box(p, 3, 14, 2, 2, line);
    box(p, 11, 14, 2, 2, line);
    framed(p, 0, 4, 16, 11, body, line);
    QLinearGradient glass(QPointF(0, 6), QPointF(0, 13));
    glass.setColorAt(0.0, QColor(0x8f, 0xd3, 0xff));
    glass.setColorAt(1.0, QColor(0x2f, 0x7f, 0xd6));
    framed(p, 2, 6, 10, 7, Qt::transparent, line);
    p.fillRect(QRectF(3, 7, 8, 5), glass);
    box(p, 4, 8, 2, 1, QColor(0xd8, 0xf0, 0xff));
    box(p, 13, 7, 1, 1, QColor(0xf0, 0xc0, 0x3e));
    box(p, 13, 9, 1, 1, QColor(0xb8, 0xc2, 0xd0));
    box(p, 13, 11, 1, 1, QColor(0xb8, 0xc2, 0xd0));
}

void magazineItem(QPainter& p)
{
    const QColor line(0x3d, 0x44, 0x51);
    // Back pages for thickness, then the cover.
    framed(p, 4, 2, 11, 14, QColor(0xe6, 0xe9, 0xee), line);
    framed(p, 2, 0, 11, 15, Paper, line);
    box(p, 3, 1, 9, 4, QColor(0xe0, 0x3e, 0x3e));
    box(p, 4, 2, 5, 2, Paper);
    // Cover picture: sky, sun and a hill.
    box(p, 3, 6, 9, 6, QColor(0x8c, 0xcf, 0xf5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xc9, 0x30));
    p.drawEllipse(QPointF(9.5, 8.0), 1.5, 1.5);
    QPainterPath hill;
    hill.moveTo(3, 12);
    hill.lineTo(3, 10);
    hill.quadTo(6, 8, 12, 11);
    hill.lineTo(12, 12);
    hill.closeSubpath();
    p.setBrush(QColor(0x4c, 0xaf, 0x50));
    p.drawPath(hill);
    box(p, 4, 13, 5, 1, TextLine);
}

void memoItem(QPainter& p)
{
    const QColor note(0xff, 0xe2, 0x6e);
    const QColor fold(0xe9, 0xc2, 0x3c);
    const QColor line(0xa8, 0x84, 0x14);
    shape(p, polygonPath({{1.5, 1.5}, {14.5, 1.5}, {14.5, 10.5}, {10.5, 14.5}, {1.5, 14.5}}), note,
          line);
    shape(p, polygonPath({{10.5, 14.5}, {10.5, 10.5}, {14.5, 10.5}}), fold, line);
    box(p, 2, 2, 12, 2, QColor(0xf5, 0xb8, 0x2e));
    box(p, 4, 6, 8, 1, line);
    box(p, 4, 8, 8, 1, line);
    box(p, 4, 10, 5, 1, line);
}

void alarmItem(QPainter& p)
{
    const QColor bell(0xf2, 0xc2, 0x30);
    const QColor line(0x9a, 0x6b, 0x08);
    p.setPen(Qt::NoPen);
    p.setBrush(line);
    p.drawEllipse(QPointF(8.0, 14.0), 1.8, 1.8);
    QPainterPath body;
    body.moveTo(1.5, 12.5);
    body.lineTo(3.5, 10.0);
    body.lineTo(3.5, 7.0);
    body.cubicTo(3.5, 4.0, 5.5, 2.5, 8.0, 2.5);
    body.cubicTo(10.5, 2.5, 12.5, 4.0, 12.5, 7.0);
    body.lineTo(12.5, 10.0);
    body.lineTo(14.5, 12.5);
    body.closeSubpath();
    shape(p, body, bell, line);
    box(p, 7, 0, 2, 2, line);
    box(p, 5, 5, 1, 4, QColor(0xfd, 0xe9, 0x9a));
}

} // namespace morvane::icon_art
