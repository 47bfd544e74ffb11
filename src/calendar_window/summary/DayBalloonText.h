#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace morvane {

// What the balloon over a day cell shows. An empty title means a balloon
// without title line and icon.
struct DayBalloonText
{
    QString title;
    QString body;

    friend bool operator==(const DayBalloonText&, const DayBalloonText&) = default;
};

// The title line of a day: "2024/5/3(金)[先負]".
QString DayBalloonTitle(QDate date);

// Width, in bytes of code page 932, that the separator between two messages
// has to cover. The bytes of each message are walked with a counter that
// restarts after every carriage return; the carriage return still counts
// towards the line it ends and the line feed towards the next one, which
// keeps the separator a touch wider than a line that ends in a CR LF. Text
// typed on this platform may end its lines in a bare LF, which then ends
// the line the same way.
int BalloonSeparatorWidth(const QStringList& messages);

// "─" once for every two bytes of width, rounded up: a box-drawing line is
// two bytes wide in code page 932.
QString BalloonSeparator(int widthBytes);

// The balloon of date with the messages of its schedules, in the order the
// day's search found them: the title line, and the messages joined by a
// separator line between two of them (lines end in CR LF as the messages
// themselves do). Without messages, or when they are all blank, the date
// line itself becomes the body and the title stays empty.
DayBalloonText BuildDayBalloonText(QDate date, const QStringList& messages);

} // namespace morvane
