#pragma once

#include "interchange/ScheduleEntry.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace morvane {

// The years (inclusive) into whose dates the events our rules cannot hold
// are expanded.
struct IcsExpandWindow
{
    int fromYear = 0;
    int toYear = 0;
};

// The years a window may cover: expansion makes one schedule per date.
inline constexpr int kFirstExpandYear = 1950;
inline constexpr int kLastExpandYear = 2100;
inline constexpr int kMaxExpandYears = 10;
// More dates than this from one event are not expanded: a daily rule over
// years would bury the calendar. The summary names the events cut there.
inline constexpr int kMaxDatesPerEvent = 1000;
// The events the expansion question names.
inline constexpr int kNamedExpandEvents = 3;

// Why a window cannot be expanded into, or an empty text.
QString IcsExpandWindowFault(const IcsExpandWindow& window);

// The schedules one event of the file became.
struct IcsEventEntries
{
    int first = 0;   // into IcsImportPlan::eventEntries
    int count = 0;   // 1 for an event held as it is, its dates for an expanded one
    bool expanded = false;
};

// What a file would add, before anything is written.
struct IcsImportPlan
{
    std::vector<ScheduleEntry> entries; // distinct within the file
    std::vector<IcsEventEntries> events; // each event that gave schedules, in file order
    std::vector<int> eventEntries;       // positions in entries, of each event in turn
    int imported = 0;                   // events that became one schedule each
    int expanded = 0;                   // events that became their dates in the window
    int skipped = 0;                    // events left out
    int needExpanding = 0;              // events our rules cannot hold (with or without a window)
    int cut = 0;                        // texts cut to the field's capacity
    int capped = 0;                     // expanded events cut at kMaxDatesPerEvent dates
    int cancelled = 0;                  // events the file marks cancelled: left out
    int alarmsLost = 0;                 // alarms a schedule cannot hold (after the end, a second one, ...)
    QStringList expandTitles;           // the first few events counted in needExpanding
    int errorLine = 0;                  // 1-based line of the first fault; 0 when the file was read
    QString error;                      // the message naming it

    bool stopped = false;               // the caller stopped the reading

    bool ok() const { return errorLine == 0 && error.isEmpty() && !stopped; }
};

// Reads an iCalendar file. Events whose rule a schedule can hold (one date,
// every year, every month, every week, the n-th weekday, each optionally
// limited to one year and one month) become one schedule of the kind their
// categories name, from DTSTART's day, up to the day UNTIL or COUNT ends
// on, skipping the days of EXDATEs and of occurrences other events move or
// cancel (RECURRENCE-ID). Others (INTERVAL, RDATE, several weekdays, a zone
// whose offset against ours changes over the year, days across midnight,
// ...) become one dated schedule per occurrence inside window, or are
// skipped without one. Times and days are taken in the local zone
// together: a rule whose days fall on other local days is moved with them.
// Cancelled events are left out and counted. A file with a fault gives no
// entries and names the line.
// progress, when given, is told how many of the file's events were read
// (from any thread ReadIcs runs in) and answers false to stop: the plan then
// holds nothing and says it was stopped.
using IcsProgress = std::function<bool(int done, int total)>;
IcsImportPlan ReadIcs(const QByteArray& bytes, const std::optional<IcsExpandWindow>& window,
                      const IcsProgress& progress = {});

} // namespace morvane
