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
    std::optional<int> mark;
    QString message;
};

// A one-date record (Week and DayOfTheWeek -1, as the editor writes them).
inline Rec Dated(int type, int year, int month, int day, int color, std::optional<int> mark = {},
                 QString message = {})
{
    return Rec{type, year, month, day, -1, -1, color, mark, std::move(message)};
}

// A weekday record: every week (week 0) or the n-th weekday.
inline Rec Weekly(int type, int year, int month, int week, int weekday, int color,
                  std::optional<int> mark = {})
{
    return Rec{type, year, month, -1, week, weekday, color, mark, {}};
}

// A fresh data file in a temporary folder.
class ScheduleFixture
{
public:
    ScheduleFixture()
    {
        auto database = CreateScheduleDatabase(DataFilePath(m_dir.path()));
        CreateMemoTable(*database);
        m_database = std::make_unique<ScheduleDatabase>(std::move(database));
    }

    ScheduleDatabase& database() { return *m_database; }
    std::unique_ptr<ScheduleDatabase> release() { return std::move(m_database); }
    Recordset& schedules() { return m_database->schedules(); }
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
        put(f::Mark, rec.mark);
        rs.SetValue(f::Message, Value(rec.message));
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

    // Type of the record at position.
    std::optional<int> typeAt(int position)
    {
        schedules().SetAbsolutePosition(position);
        bool ok = false;
        const int type = schedules().GetValue(schedule_fields::Type).toInt(&ok);
        return ok ? std::optional<int>(type) : std::nullopt;
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<ScheduleDatabase> m_database;
};

} // namespace morvane::test
