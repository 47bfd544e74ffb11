#pragma once

#include "data/records/SchedulePattern.h"
#include "data/records/UserMessage.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <functional>
#include <optional>

namespace morvane {

class AppContext;

// --- Defaults of the alarm window's pickers -------------------------------

// The new alarm time offered when the window opens: the next full hour when
// the alarm lies between 1:00 and 22:59 and the clock before 23:00, else
// 0:00.
QTime DefaultRealarmTime(const std::optional<QString>& alarm, const QTime& now);
// The time set when the ring-again box is checked: the next full hour, or
// 23:59 from 23:00 on.
QTime RingAgainTime(const QTime& now);
// The alarm time kept when the move box is checked: the stored alarm, 0:00
// when there is none.
QTime MoveAlarmTime(const std::optional<QString>& alarm);
// The date offered for a move: tomorrow when the schedule is dated today,
// else today.
QDate DefaultMoveDate(const SchedulePattern& pattern, QDate today);
// Whether checking the ring-again box also checks the move box: for a
// one-off schedule whose date has passed, whose alarm would otherwise ring
// again at once. Recurring schedules are never moved by it.
bool RingAgainSuggestsMove(const SchedulePattern& pattern, QDate today);

// --- OK ------------------------------------------------------------------

// What the window holds when OK is pressed.
struct AlarmOkInput
{
    bool deleteSchedule = false; // Check1(0)
    bool ringAgain = false;      // Check1(1)
    QTime ringAgainTime;         // DTPicker1
    bool moveDate = false;       // Check1(2)
    QDate moveTo;                // DTPicker2
    QString text;                // Text1
    QString caption;             // Label2
};

enum class AlarmOkOutcome
{
    Done,        // the window closes
    Declined,    // No to the question: nothing changed, the window stays
    TextTooLong, // the byte message: the window stays with the text selected
    Failed,      // a save failed and was reported: the window stays
    RecordGone,  // the schedule no longer exists: the window closes
};

struct AlarmOkResult
{
    AlarmOkOutcome outcome = AlarmOkOutcome::Done;
    // The message to show for TextTooLong, Failed and RecordGone.
    UserMessage message;
};

inline const QString AlarmQuestionTitle = QStringLiteral(u"アラーム");
inline const QString SaveScheduleTitle = QStringLiteral(u"予定の保存");

// The question asked before a change that reaches every day of a recurring
// schedule.
QString RecurringAlarmQuestion();

// The OK button on the record with `recordId`, in its order: the question
// for a recurring schedule (confirm answers it), ring again or acknowledge
// (Alarm " " for a dated one-off, else AlarmFlag today and its list entries
// spent), delete (then the calendar is redrawn and the list rescanned), or
// save the text and the moved date. The acknowledgement is stored before
// the text; when the text cannot be saved the acknowledgement stays.
AlarmOkResult AlarmOk(AppContext& context, qint64 recordId, const AlarmOkInput& input,
                      const std::function<bool()>& confirm);

} // namespace morvane
