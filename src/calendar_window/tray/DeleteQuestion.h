#pragma once

#include "data/records/SchedulePattern.h"

#include <QDate>
#include <QString>

namespace morvane {

// How the popup's "delete the day's schedules" names a record's date rule
// in its question. Shorter than RuleLabel: a 0 month or a 0 week replaces
// everything written before it ("毎月3日", "毎週金曜日"), and the weekday
// form is chosen by the week alone.
QString DeleteRecurrenceText(const SchedulePattern& pattern);

// The question asked before deleting one record:
// "2024年5月3日の予定を削除してよろしいですか？" + empty line + "『message』".
QString DeleteQuestionText(const SchedulePattern& pattern, const QString& message);

// The question asked before deleting a schedule that falls on other days
// too: DeleteQuestionText followed by what its two answers do.
QString DeleteRepeatingQuestionText(const SchedulePattern& pattern, const QString& message,
                                    QDate date);

// The answers to that question: the day alone, or the whole schedule.
inline const QString DeleteThisDayOnly = QStringLiteral("この日だけ");
inline const QString DeleteEveryDay = QStringLiteral("すべて");

inline const QString DeleteQuestionTitle = QStringLiteral("予定の削除");

} // namespace morvane
