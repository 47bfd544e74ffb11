#pragma once

#include <QString>
#include <optional>
#include <span>
#include <vector>

namespace morvane {

class ScheduleDatabase;

// One schedule offered on the first run: the schedule's text, the date as
// the list shows it, and the 14-character template code of its fields
// (kind 2, year 4, month 2, day 2 or "xx", week 1 or "x", weekday 1 or "x",
// colour 2).
struct InitialScheduleEntry
{
    QString text;
    QString shownDate;
    QString code;
    int kind = 0;         // characters 1-2 of the code
    bool holiday = false; // kinds 1 and 10: offered ticked, shown in red
};

// The 27 offered entries in list order (16 holidays, 11 events).
std::span<const InitialScheduleEntry> InitialScheduleEntries();

// The record fields a template code stands for; unset fields are empty.
struct TemplateFields
{
    int type = 0;
    int year = 0;
    int month = 0;
    std::optional<int> day;
    std::optional<int> week;
    std::optional<int> dayOfTheWeek;
    int color = 0;
};
TemplateFields DecodeTemplateCode(const QString& code);

// Appends one Schedule record per entry, in the order given: the template's
// fields and the entry's text as Message; everything else (Mark included)
// stays Null. The records and the answer to the offer (see
// InitialSetPending) are saved together or not at all. Returns the number
// of records written.
int CreateInitialSchedules(ScheduleDatabase& database,
                           std::span<const InitialScheduleEntry> selected);

// The notice shown when the user declines the initial set.
QString InitialSetCancelledText();
inline const QString InitialSetCancelledTitle = QStringLiteral("予定作成のキャンセル");

} // namespace morvane
