#pragma once

#include <QDate>
#include <QString>
#include <vector>

namespace morvane {

class Recordset;
class Value;

// The days a schedule's rule is held to: a first day, a last day and days
// it skips. A record without them (every record of older files) falls on
// every day its rule names. This is the one check every place that decides
// on which days a schedule falls asks after its rule has matched.
struct ScheduleBounds
{
    QDate first;                // no first day when invalid
    QDate last;                 // no last day when invalid
    std::vector<QDate> skipped; // in order, each once

    bool isEmpty() const { return !first.isValid() && !last.isValid() && skipped.empty(); }
    // Whether the rule may fall on date: not before the first day, not after
    // the last one and not on a skipped day.
    bool Allows(const QDate& date) const;
    // Adds date to the skipped days, keeping them in order; true when it was
    // not there yet.
    bool Skip(const QDate& date);

    friend bool operator==(const ScheduleBounds&, const ScheduleBounds&) = default;
};

// "yyyy-MM-dd" as the fields hold a day; "" for an invalid date.
QString BoundDateText(const QDate& date);
// A stored day: invalid for Null, "" or a text that is not a day of the
// calendar, which then bounds nothing rather than hide the schedule.
QDate ParseBoundDate(const QString& text);

// The skipped days as stored: "yyyy-MM-dd" texts in order, one blank
// between them.
QString SkippedDatesText(const std::vector<QDate>& dates);
// The stored text read back in order, each day once; pieces that are not
// days are passed over.
std::vector<QDate> ParseSkippedDates(const QString& text);

// Reads the bounds of the current record. The fields are looked up once, so
// a pass over many records builds one reader; a table without the fields
// (a file not yet brought up to date) reads no bounds, nor does a field no
// record used when the reader was built (so build it for the pass, not
// to keep).
class ScheduleBoundsReader
{
public:
    explicit ScheduleBoundsReader(const Recordset& schedules);
    ScheduleBounds read(const Recordset& schedules) const;
    // read(schedules).Allows(date).
    bool allows(const Recordset& schedules, const QDate& date) const;

private:
    int m_first = -1;
    int m_last = -1;
    int m_skipped = -1;
};

ScheduleBounds ReadScheduleBounds(const Recordset& schedules);

// Writes bounds into the edit buffer of schedules (after AddNew or Edit):
// Null for a missing bound and for no skipped days.
void WriteScheduleBounds(Recordset& schedules, const ScheduleBounds& bounds);

} // namespace morvane
