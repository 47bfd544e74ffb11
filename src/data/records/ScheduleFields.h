#pragma once

#include <QString>
#include <array>

namespace morvane {

// Names of the two tables and their fields as they stand in Morva.dat.
// Field order is part of the file layout: older files and every reader
// rely on it, so the arrays below are the creation order.
namespace schedule_fields {
inline const QString Table = QStringLiteral("Schedule");
inline const QString Type = QStringLiteral("Type");
inline const QString Year = QStringLiteral("Year");
inline const QString Month = QStringLiteral("Month");
inline const QString Day = QStringLiteral("Day");
inline const QString Week = QStringLiteral("Week");
inline const QString DayOfTheWeek = QStringLiteral("DayOfTheWeek");
inline const QString BirthYear = QStringLiteral("BirthYear");
inline const QString BirthPerson = QStringLiteral("BirthPerson");
inline const QString StartTime = QStringLiteral("StartTime");
inline const QString EndTime = QStringLiteral("EndTime");
inline const QString Alarm = QStringLiteral("Alarm");
inline const QString Color = QStringLiteral("Color");
inline const QString Mark = QStringLiteral("Mark");
inline const QString Message = QStringLiteral("Message");
inline const QString AlarmFlag = QStringLiteral("AlarmFlag");
// The days a rule is held to, added after the fields above so that older
// files gain them at the end: the first and the last day ("yyyy-MM-dd",
// Null = no bound) and the days the rule skips ("yyyy-MM-dd" texts in order,
// one blank between them; Null or "" = none).
inline const QString FirstDate = QStringLiteral("FirstDate");
inline const QString LastDate = QStringLiteral("LastDate");
inline const QString SkippedDates = QStringLiteral("SkippedDates");
} // namespace schedule_fields

namespace memo_fields {
inline const QString Table = QStringLiteral("Memo");
inline const QString Title = QStringLiteral("Title");
inline const QString Memo = QStringLiteral("Memo");
inline const QString Date = QStringLiteral("Date");
} // namespace memo_fields

// Capacities of the Text fields in bytes of code page 932 (a full-width
// character takes two). Schedule texts and memo bodies get room for real
// notes; the short fields hold times, names and dates.
namespace text_capacity {
inline constexpr int Message = 1024;
inline constexpr int Memo = 65535;
inline constexpr int SkippedDates = 65535; // about six thousand days
inline constexpr int Short = 255;          // every other Text field
} // namespace text_capacity

} // namespace morvane
