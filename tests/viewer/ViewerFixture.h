#pragma once

#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleBounds.h"
#include "data/records/ScheduleDatabase.h"
#include "data/records/ScheduleFields.h"

#include <QTemporaryDir>
#include <memory>
#include <optional>

namespace morvane::test {

// One Schedule record as a test writes it; unset fields stay Null.
struct Rec
{
    std::optional<int> type;
    std::optional<int> year;
    std::optional<int> month;
    std::optional<int> day;
    std::optional<int> week;
    std::optional<int> dayOfTheWeek;
    std::optional<int> color;
    QString message;
    QString alarm;
};

// A one-date record (Week and DayOfTheWeek -1, as the editor writes them).
inline Rec Dated(int type, int year, int month, int day, QString message, int color = 0)
{
    return Rec{type, year, month, day, -1, -1, color, std::move(message), {}};
}

// A weekday record: every week (week 0) or the n-th weekday.
inline Rec Weekday(int type, int year, int month, int week, int weekday, QString message,
                   int color = 0)
{
    return Rec{type, year, month, -1, week, weekday, color, std::move(message), {}};
}

// A computed-date holiday of March or September.
inline Rec Equinox(int month, QString message)
{
    return Rec{10, 0, month, {}, {}, {}, 12, std::move(message), {}};
}

// A fresh data file in a temporary folder.
class ViewerFixture
{
public:
    ViewerFixture()
    {
        auto database = CreateScheduleDatabase(DataFilePath(m_dir.path()));
        CreateMemoTable(*database);
        m_database = std::make_unique<ScheduleDatabase>(std::move(database));
    }

    ScheduleDatabase& database() { return *m_database; }
    Recordset& schedules() { return m_database->schedules(); }
    // Hands the open file to an application context; the folder stays.
    std::unique_ptr<ScheduleDatabase> release() { return std::move(m_database); }
    QString folder() const { return m_dir.path(); }

    void add(const Rec& rec)
    {
        namespace f = schedule_fields;
        Recordset& rs = schedules();
        rs.AddNew();
        const auto put = [&rs](const QString& field, std::optional<int> value) {
            if (value)
                rs.SetValue(field, Value(*value));
        };
        put(f::Type, rec.type);
        put(f::Year, rec.year);
        put(f::Month, rec.month);
        put(f::Day, rec.day);
        put(f::Week, rec.week);
        put(f::DayOfTheWeek, rec.dayOfTheWeek);
        put(f::Color, rec.color);
        rs.SetValue(f::Message, Value(rec.message));
        if (!rec.alarm.isEmpty())
            rs.SetValue(f::Alarm, Value(rec.alarm));
        rs.Update();
    }

    void add(std::initializer_list<Rec> recs)
    {
        for (const Rec& rec : recs)
            add(rec);
    }

    // Holds the last record added to its first day, last day and skipped
    // days (an invalid date: no such bound).
    void boundLast(QDate first, QDate last, std::initializer_list<QDate> skipped = {})
    {
        ScheduleBounds bounds;
        bounds.first = first;
        bounds.last = last;
        for (const QDate& day : skipped)
            bounds.Skip(day);
        Recordset& rs = schedules();
        rs.MoveLast();
        rs.Edit();
        WriteScheduleBounds(rs, bounds);
        rs.Update();
    }

    // Many records in one batch: count dated ordinary schedules spread over
    // the days of year/month, texts "予定 i".
    void addMany(int count, int year, int month)
    {
        database().database().BeginTrans();
        for (int i = 0; i < count; ++i)
            add(Dated(0, year, month, 1 + i % 28, QStringLiteral("予定 %1").arg(i)));
        database().database().CommitTrans();
    }

    QString messageAt(int position)
    {
        schedules().SetAbsolutePosition(position);
        return schedules().GetValue(schedule_fields::Message).toString();
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<ScheduleDatabase> m_database;
};

} // namespace morvane::test
