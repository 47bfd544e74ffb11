#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace morvane {

// The line-level shape of an iCalendar file, checked before any of it is
// read so a broken file can be named by its line: UTF-8 text, content lines
// "NAME[;PARAM=VALUE...]:VALUE" after unfolding, BEGIN/END properly nested
// inside one VCALENDAR, and a DTSTART in every VEVENT.
struct IcsLineCheck
{
    int errorLine = 0; // 1-based; 0 when the file is sound
    QString reason;
    // Where each VEVENT begins, in file order, to name an event libical
    // finds fault with.
    std::vector<int> eventLines;

    bool ok() const { return errorLine == 0; }
};

IcsLineCheck CheckIcsLines(const QByteArray& bytes);

} // namespace morvane
