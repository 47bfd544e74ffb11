#pragma once

#include "alarms/AlarmScan.h"
#include "alarms/AlarmSound.h"
#include "calendar_math/QtPrinting.h"
#include "context/AppContext.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleBounds.h"
#include "data/records/ScheduleDatabase.h"
#include "data/records/ScheduleFields.h"

#include <QObject>
#include <QTemporaryDir>
#include <optional>
#include <vector>

namespace morvane::test {

// One Schedule record with an alarm; unset fields stay Null.
struct AlarmRec
{
    std::optional<int> type = 0;
    std::optional<int> year;
    std::optional<int> month;
    std::optional<int> day;
    std::optional<int> week;
    std::optional<int> dayOfTheWeek;
    std::optional<QString> alarm;
    std::optional<QString> alarmFlag;
    QString message;
};

inline AlarmRec OneOff(int year, int month, int day, const QString& alarm, QString message = {})
{
    return AlarmRec{0, year, month, day, -1, -1, alarm, {}, std::move(message)};
}
// Every week (week 0) or the n-th weekday of every month.
inline AlarmRec Weekday(int week, int weekday, const QString& alarm, QString message = {})
{
    return AlarmRec{0, 0, 0, -1, week, weekday, alarm, {}, std::move(message)};
}
inline AlarmRec Monthly(int day, const QString& alarm, QString message = {})
{
    return AlarmRec{0, 0, 0, day, -1, -1, alarm, {}, std::move(message)};
}
inline AlarmRec Yearly(int month, int day, const QString& alarm, QString message = {})
{
    return AlarmRec{0, 0, month, day, -1, -1, alarm, {}, std::move(message)};
}

// Counts the noises instead of making them.
class CountingSound final : public AlarmSound
{
public:
    void beep() override { ++beeps; }
    void play(const QString& file) override { plays.push_back(file); }
    int beeps = 0;
    std::vector<QString> plays;
};

// A data file in a temporary folder, a context over it at a fixed moment,
// and the alarm requests answered the way the running program answers them
// (a scan at once) and counted.
class AlarmWorld
{
public:
    explicit AlarmWorld(QDateTime now) : clock(std::move(now)), context(clock, dir.path())
    {
        auto database = CreateScheduleDatabase(DataFilePath(dir.path()));
        CreateMemoTable(*database);
        context.setDatabase(std::make_unique<ScheduleDatabase>(std::move(database)));
        context.settings().BeepFlg = true;
        context.settings().SoundFlg = true;
        context.settings().SoundFile = QStringLiteral("/sounds/alarm.wav");
        context.settings().FlashIcon = true;
        AppEvents& events = context.events();
        QObject::connect(&events, &AppEvents::alarmScanRequested, &events, [this] {
            ++scanRequests;
            if (answerScans)
                scan();
        });
        QObject::connect(&events, &AppEvents::alarmFlashRequested, &events,
                         [this](bool on) { on ? ++flashStarts : ++flashStops; });
        QObject::connect(&events, &AppEvents::alarmMessageRaised, &events, [this] {
            ++messages;
            messageIndexes.push_back(context.alarms.AlarmIndex);
        });
        QObject::connect(&events, &AppEvents::drawCalendarRequested, &events,
                         [this](const QString&) { ++drawings; });
    }

    Recordset& rs() { return context.database()->schedules(); }

    // Appends the record; returns its id.
    qint64 add(const AlarmRec& rec)
    {
        namespace f = schedule_fields;
        Recordset& r = rs();
        r.AddNew();
        const auto put = [&r](const QString& field, std::optional<int> value) {
            if (value)
                r.SetValue(field, Value(*value));
        };
        put(f::Type, rec.type);
        put(f::Year, rec.year);
        put(f::Month, rec.month);
        put(f::Day, rec.day);
        put(f::Week, rec.week);
        put(f::DayOfTheWeek, rec.dayOfTheWeek);
        if (rec.alarm)
            r.SetValue(f::Alarm, Value(*rec.alarm));
        if (rec.alarmFlag)
            r.SetValue(f::AlarmFlag, Value(*rec.alarmFlag));
        r.SetValue(f::Message, Value(rec.message));
        r.Update();
        return r.RecordIdAt(r.RecordCount() - 1);
    }

    void scan() { ScanAlarms(context.alarms, rs(), clock.today()); }

    // Holds the record to its first day, last day and skipped days (an
    // invalid date: no such bound).
    void bound(qint64 id, QDate first, QDate last, std::initializer_list<QDate> skipped = {})
    {
        ScheduleBounds bounds;
        bounds.first = first;
        bounds.last = last;
        for (const QDate& day : skipped)
            bounds.Skip(day);
        rs().SetAbsolutePosition(rs().PositionOfRecordId(id));
        rs().Edit();
        WriteScheduleBounds(rs(), bounds);
        rs().Update();
    }

    // Positions in the alarm list, -1 for spent entries.
    std::vector<int> positions() const
    {
        std::vector<int> result;
        for (const AlarmEntry& entry : context.alarms.AlarmList)
            result.push_back(entry.position);
        return result;
    }

    QString field(qint64 id, const QString& name)
    {
        rs().SetAbsolutePosition(rs().PositionOfRecordId(id));
        return rs().GetValue(name).toString();
    }
    bool isNull(qint64 id, const QString& name)
    {
        rs().SetAbsolutePosition(rs().PositionOfRecordId(id));
        return rs().GetValue(name).isNull();
    }
    QString messageOf(qint64 id) { return field(id, schedule_fields::Message); }

    QTemporaryDir dir;
    FixedClock clock;
    AppContext context;
    CountingSound sound;
    // Off when the program's own wiring answers the scan requests.
    bool answerScans = true;
    int scanRequests = 0;
    int flashStarts = 0;
    int flashStops = 0;
    int messages = 0;
    std::vector<int> messageIndexes;
    int drawings = 0;
};

} // namespace morvane::test
