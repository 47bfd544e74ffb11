#pragma once

#include "interchange/ScheduleEntry.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <functional>
#include <vector>

namespace morvane {

class Recordset;

// One schedule to export with the record's identity, which makes its UID.
struct ExportRecord
{
    qint64 id = 0;
    ScheduleEntry entry;
};

struct IcsExportOptions
{
    QDate today;
    QDateTime stamp; // DTSTAMP, in UTC
    // Computed equinox holidays go out as dated events for these years
    // around today's.
    int equinoxYearsBefore = 2;
    int equinoxYearsAfter = 10;

    // The options of an export made at `now` (local time).
    static IcsExportOptions At(const QDateTime& now)
    {
        IcsExportOptions options;
        options.today = now.date();
        options.stamp = now.toUTC();
        return options;
    }
};

// Every schedule with a numeric kind, in recordset order.
std::vector<ExportRecord> ReadExportRecords(Recordset& schedules);

// The day the event of a schedule starts on (its DTSTART): the first day on
// which its rule falls from the year 2000 (a birthday from the birth year)
// or from its first day; invalid when it falls on no day.
QDate IcsFirstDate(const ScheduleEntry& entry);

// The calendar file (RFC 5545, UTF-8, CR LF, folded lines): one VEVENT per
// schedule, recurring rules as RRULEs from their first day up to their
// last day (UNTIL) less their skipped days (EXDATE), an equinox holiday as
// one dated event per year. A record whose rule falls on no day (30
// February, no day and no weekday) is left out and counted in *skipped.
QByteArray BuildIcs(const std::vector<ExportRecord>& records, const IcsExportOptions& options,
                    int* skipped = nullptr);

// The same file handed to `write` piece by piece (the calendar's opening
// lines, each event, the closing line) instead of built whole; stops with
// false as soon as `write` answers false.
using IcsSink = std::function<bool(const QByteArray& piece)>;
bool WriteIcs(const std::vector<ExportRecord>& records, const IcsExportOptions& options,
              const IcsSink& write, int* skipped = nullptr);

} // namespace morvane
