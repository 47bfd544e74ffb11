#include "calendar_window/summary/DayBalloonText.h"

#include "calendar_math/DateFormat.h"
#include "calendar_math/Rokuyou.h"
#include "core/AnsiText.h"

#include <algorithm>

namespace morvane {

QString DayBalloonTitle(QDate date)
{
    return FormatDate(date, u"yyyy/m/d(aaa)") + "[" + GetRokuyou(date) + "]";
}

int BalloonSeparatorWidth(const QStringList& messages)
{
    // Code page 932 never uses 0x0D or 0x0A as the second byte of a
    // double-byte character, so these bytes are always real line ends.
    int widest = 0;
    for (const QString& message : messages) {
        int counter = 0;
        char previous = 0;
        for (const char byte : ToAnsi(message)) {
            ++counter;
            if (byte == '\r' || (byte == '\n' && previous != '\r')) {
                widest = std::max(widest, counter);
                counter = 0;
            }
            previous = byte;
        }
        widest = std::max(widest, counter);
    }
    return widest;
}

QString BalloonSeparator(int widthBytes)
{
    return QString(std::max(0, (widthBytes + 1) / 2), QChar(0x2500));
}

DayBalloonText BuildDayBalloonText(QDate date, const QStringList& messages)
{
    DayBalloonText text;
    text.title = DayBalloonTitle(date);
    const QString separator = "\r\n" + BalloonSeparator(BalloonSeparatorWidth(messages)) + "\r\n";
    text.body = messages.join(separator);
    if (text.body.trimmed().isEmpty()) {
        text.body = text.title;
        text.title.clear();
    }
    return text;
}

} // namespace morvane
