// Date and time formats: any pattern text with dates across the whole
// supported range (Japanese eras included) and every time of day.

#include "FuzzSupport.h"
#include "calendar_math/DateFormat.h"

#include <QDateTime>

using namespace morvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 6)
        return 0;
    // Two bytes of day number from 1 January 1 to the end of 9999 (and some
    // invalid dates beyond), three of time, one of number; the rest is the
    // pattern.
    const qint64 day = (data[0] << 8 | data[1]) * 56 - 2000;
    const QDate date = QDate(1, 1, 1).addDays(day);
    const QTime time(data[2] % 25, data[3] % 61, data[4] % 61);
    const qint64 number = qint64(std::int8_t(data[5])) * 1000003;
    const QString pattern = fuzz::Text(data + 6, size - 6);

    FormatDateTime(date, time, pattern);
    FormatDateTime(QDateTime(date, time), pattern);
    FormatDate(date, pattern);
    FormatTime(time, pattern);
    FormatNumber(number, pattern);
    return 0;
}
