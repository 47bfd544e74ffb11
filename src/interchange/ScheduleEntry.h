#pragma once

#include "data/records/ScheduleBounds.h"

#include <QString>
#include <optional>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace morvane {

class Recordset;

// Every user field of one Schedule record, read out of the recordset so the
// file formats can be mapped without touching the database. Rule fields
// hold -1 where the record stores -1 or Null; Mark keeps Null apart ("no
// mark") because the calendar draws the two differently.
struct ScheduleEntry
{
    int type = 0;
    int year = 0;
    int month = 0;
    int day = -1;
    int week = -1;
    int dayOfTheWeek = -1;
    std::optional<int> birthYear;
    QString birthPerson;
    QString startTime;
    QString endTime;
    QString alarm;
    int color = 0;
    std::optional<int> mark;
    QString message;
    ScheduleBounds bounds; // the first, last and skipped days of a rule

    bool isWeekdayRule() const { return day < 1 && dayOfTheWeek >= 1 && dayOfTheWeek <= 7; }

    // What makes two schedules the same one: rule and its days, kind, text
    // and times.
    auto identity() const
    {
        return std::tie(type, year, month, day, week, dayOfTheWeek, message, startTime, endTime,
                        bounds);
    }
    bool sameSchedule(const ScheduleEntry& other) const { return identity() == other.identity(); }
    bool operator==(const ScheduleEntry&) const = default;
};

// Schedules told apart by identity (rule, kind, text and times), found
// through a hash of it so that a large file is not compared pair by pair.
class DistinctSchedules
{
public:
    // The position of the same schedule, or -1.
    int find(const ScheduleEntry& entry) const;
    // Adds entry unless the same schedule is there; returns the position of
    // the one that stands for it.
    int add(const ScheduleEntry& entry);
    const std::vector<ScheduleEntry>& entries() const { return m_entries; }
    std::vector<ScheduleEntry> takeEntries();

private:
    std::vector<ScheduleEntry> m_entries;
    std::unordered_multimap<std::size_t, int> m_index;
};

// The current record of a Schedule recordset.
ScheduleEntry ReadScheduleEntry(const Recordset& schedules);

// Writes entry into the record being added or edited (the caller calls
// AddNew/Edit before and Update after). Rule fields that do not apply are
// stored as -1, like the day editor writes them; the alarm is armed.
void WriteScheduleEntry(Recordset& schedules, const ScheduleEntry& entry);

} // namespace morvane
