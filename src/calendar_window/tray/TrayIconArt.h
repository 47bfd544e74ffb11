#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

class QPainter;

namespace morvane {

// The pictures of the tray icon, drawn by the program itself at whatever
// device size the tray asks for, so they stay crisp on high-density screens.

// The normal icon: a small calendar page with coloured marks.
QIcon CalendarPageIcon();

// The same page on a light background: the second picture of the flashing
// icon, so the icon visibly blinks while an alarm waits.
QIcon CalendarPageIconLit();

// The day icon: the number day (1 to 31) in white on a black square with
// rounded corners and a thin grey border; day 0 is the empty square.
QIcon DayNumberIcon(int day);

// One picture of the day icon at size x size pixels (16 uses a hand-drawn
// pixel font, larger sizes a scaled outline of a bold face).
QImage DayNumberImage(int day, int size);

// Paints the calendar page over a size x size square of painter: the one
// drawing behind the tray icon, the program's window icon and its icon
// files, bitmap and scalable alike.
void PaintCalendarPage(QPainter& painter, bool lit, int size);

// One picture of the calendar page at size x size pixels.
QImage CalendarPageImage(bool lit, int size);

// The picture in file when it can be read, else fallback; a missing or
// broken file never stops the icon from showing.
QIcon IconFromFileOr(const QString& file, const QIcon& fallback);

} // namespace morvane
