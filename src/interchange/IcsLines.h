#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace morvane {

// The line-level shape of an iCalendar file, checked before any of it is
// read so a broken file can be named by its line: UTF-8 text (a byte-order
// mark at the start is skipped, folded lines are joined as bytes first),
// content lines "NAME[;PARAM=VALUE...]:VALUE", BEGIN/END properly nested
// inside one VCALENDAR, a DTSTART in every VEVENT, dates that exist and
// zone offsets a clock can have.
struct IcsLineCheck
{
    int errorLine = 0; // 1-based; 0 when the file is sound
    QString reason;
    // Where each VEVENT of the calendar begins, in file order, to name an
    // event libical finds fault with.
    std::vector<int> eventLines;
    // The calendar unfolded, holding only the components and properties the
    // import reads, long texts cut well past what a schedule holds: what
    // libical is given, so that lines it never needs cost nothing. The
    // calendar's VEVENTs are apart in `events` (one span each, in file
    // order), so that libical holds one event at a time.
    QByteArray kept;
    QByteArray events;
    struct Span
    {
        qsizetype from;
        qsizetype size;
    };
    std::vector<Span> eventSpans;

    bool ok() const { return errorLine == 0; }
};

IcsLineCheck CheckIcsLines(const QByteArray& bytes);

// Longest line of a property the import reads (other than its texts, which
// are cut) that is taken; a longer one is refused by its line.
inline constexpr qsizetype kMaxIcsLineOctets = 64 * 1024;

} // namespace morvane
