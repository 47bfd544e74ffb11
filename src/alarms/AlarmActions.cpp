#include "alarms/AlarmActions.h"

#include "alarms/AlarmRules.h"
#include "context/AppContext.h"
#include "core/AnsiText.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleDatabase.h"
#include "data/records/ScheduleFields.h"
#include "data/records/WriteFailure.h"

namespace morvane {

namespace f = schedule_fields;

QTime DefaultRealarmTime(const std::optional<QString>& alarm, const QTime& now)
{
    const std::optional<QTime> time = alarm ? AlarmTime(*alarm) : std::nullopt;
    if (time && time->hour() > 0 && time->hour() < 23 && now.hour() < 23)
        return QTime(now.hour() + 1, 0);
    return QTime(0, 0);
}

QTime RingAgainTime(const QTime& now)
{
    return now.hour() < 23 ? QTime(now.hour() + 1, 0) : QTime(23, 59);
}

QTime MoveAlarmTime(const std::optional<QString>& alarm)
{
    const std::optional<QTime> time = alarm ? AlarmTime(*alarm) : std::nullopt;
    return time ? QTime(time->hour(), time->minute()) : QTime(0, 0);
}

QDate DefaultMoveDate(const SchedulePattern& p, QDate today)
{
    const bool datedToday = p.year && p.month && p.day && QDate(*p.year, *p.month, *p.day) == today;
    return datedToday ? today.addDays(1) : today;
}

bool RingAgainSuggestsMove(const SchedulePattern& pattern, QDate today)
{
    return OneOffDateBefore(pattern, today);
}

QString RecurringAlarmQuestion()
{
    return QStringLiteral(u"この予定は複数日にまたがる予定です。\r\n"
                          u"削除または再アラームの設定をすると他の設定日にも影響されます。\r\n"
                          u"処理を続行しますか？");
}

namespace {

AlarmOkResult Stay(AlarmOkOutcome outcome, const QString& text, const QString& title)
{
    return AlarmOkResult{outcome, UserMessage{text, MessageIcon::Exclamation, title}};
}

// Edit (unless already editing), the changes, Update; nothing is left half
// done in the edit buffer.
template <typename Change> void Write(Recordset& schedules, Change change, bool startEdit = true)
{
    if (startEdit)
        schedules.Edit();
    try {
        change();
        schedules.Update();
    } catch (...) {
        schedules.CancelUpdate();
        throw;
    }
}

QString AlarmText(const QTime& time)
{
    return time.toString(QStringLiteral("HH:mm"));
}

void AcknowledgeRecord(AppContext& context, Recordset& schedules, qint64 recordId)
{
    if (IsDatedOneOff(ReadSchedulePattern(schedules))) {
        // A one-off never rings again, also after a restart.
        Write(schedules, [&] { schedules.SetValue(f::Alarm, Value(QStringLiteral(" "))); });
        return;
    }
    const QString today = context.clock().today().toString(QStringLiteral("yyyy/MM/dd"));
    Write(schedules, [&] { schedules.SetValue(f::AlarmFlag, Value(today)); });
    for (AlarmEntry& entry : context.alarms.AlarmList) {
        if (entry.recordId == recordId)
            entry.position = -1;
    }
}

} // namespace

namespace {

AlarmOkResult RunOk(AppContext& context, qint64 recordId, const AlarmOkInput& input,
                    const std::function<bool()>& confirm)
{
    ScheduleDatabase* database = context.database();
    const int position = database ? database->schedules().PositionOfRecordId(recordId) : -1;
    if (position < 0) {
        emit context.events().alarmScanRequested();
        return Stay(AlarmOkOutcome::RecordGone, QStringLiteral(u"この予定は既に削除されています。"),
                    AlarmQuestionTitle);
    }
    Recordset& schedules = database->schedules();
    const bool anyBox = input.deleteSchedule || input.ringAgain || input.moveDate;
    if (anyBox && input.caption.contains(u'毎')) {
        if (!confirm || !confirm())
            return AlarmOkResult{AlarmOkOutcome::Declined, {}};
    }

    // The question let events run; the record may have moved meanwhile.
    schedules.SetAbsolutePosition(schedules.PositionOfRecordId(recordId));
    if (input.ringAgain) {
        Write(schedules, [&] {
            schedules.SetValue(f::Alarm, Value(AlarmText(input.ringAgainTime)));
            schedules.SetValue(f::AlarmFlag, Value::Null());
        });
    } else {
        AcknowledgeRecord(context, schedules, recordId);
    }

    if (input.deleteSchedule) {
        const int at = schedules.AbsolutePosition();
        schedules.Delete();
        context.alarms.recordDeleted(at);
        emit context.events().drawCalendarRequested(context.DisplayMonth);
        emit context.events().alarmScanRequested();
        return {};
    }

    schedules.Edit();
    try {
        schedules.SetValue(f::Message, Value(input.text));
    } catch (const EngineError& error) {
        schedules.CancelUpdate();
        if (error.code() != EngineErrorCode::FieldTooSmall)
            throw;
        return Stay(AlarmOkOutcome::TextTooLong,
                    ScheduleTextTooLongMessage(schedules.Size(f::Message), AnsiByteLength(input.text)),
                    SaveScheduleTitle);
    }
    Write(
        schedules,
        [&] {
            if (input.moveDate) {
                schedules.SetValue(f::Year, Value(input.moveTo.year()));
                schedules.SetValue(f::Month, Value(input.moveTo.month()));
                schedules.SetValue(f::Day, Value(input.moveTo.day()));
            }
        },
        false);
    if (input.moveDate)
        emit context.events().drawCalendarRequested(context.DisplayMonth);
    return {};
}

} // namespace

AlarmOkResult AlarmOk(AppContext& context, qint64 recordId, const AlarmOkInput& input,
                      const std::function<bool()>& confirm)
{
    try {
        return RunOk(context, recordId, input, confirm);
    } catch (const EngineError& error) {
        // Whatever was stored before the failure stays stored; the rest is
        // not, and the user is told why instead of the window just closing.
        // The window stays with the text, and an alarm not acknowledged
        // stays in the list.
        ScheduleDatabase* database = context.database();
        const QString path = database ? database->path() : DataFilePath(context.programFolder());
        AlarmOkResult result;
        result.outcome = AlarmOkOutcome::Failed;
        result.message = WriteFailureMessage(path, error, SaveScheduleTitle);
        return result;
    }
}

} // namespace morvane
