// A data file written by the version before first, last and skipped days
// opens with the same meaning: every month grid of 2020 to 2030 and every
// day's schedules are the same before and after the file is brought up to
// date.

#include "calendar_window/month/MonthModel.h"
#include "core/Settings.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/DaySchedules.h"
#include "data/records/InitialScheduleSet.h"
#include "data/records/ScheduleDatabase.h"
#include "data/records/ScheduleFields.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace morvane {
namespace {

namespace f = schedule_fields;

// One record of every rule shape a file may hold, Null and -1 variants and
// odd values of older versions and imports among them, coloured and marked
// so that each one shows in the month grid.
void AddRecordsOfEveryRule(Recordset& rs)
{
    const Value Null;
    const auto add = [&](Value type, Value year, Value month, Value day, Value week, Value weekday,
                         Value color, Value mark) {
        rs.AddNew();
        rs.SetValue(f::Type, type);
        rs.SetValue(f::Year, year);
        rs.SetValue(f::Month, month);
        rs.SetValue(f::Day, day);
        rs.SetValue(f::Week, week);
        rs.SetValue(f::DayOfTheWeek, weekday);
        rs.SetValue(f::Color, color);
        rs.SetValue(f::Mark, mark);
        rs.SetValue(f::Message, QStringLiteral("rule"));
        rs.Update();
    };
    add(0, 2024, 2, 29, -1, -1, 12, 0);        // one date, a leap day
    add(4, 0, 7, 7, -1, -1, 9, 5);             // every year
    add(0, 0, 0, 31, Null, Null, 13, Null);    // every month, the 31st
    add(0, 2027, 0, 15, -1, -1, 10, 1);        // every month of one year
    add(0, 0, 0, -1, 0, 4, 11, 2);             // every Wednesday
    add(0, 0, 0, Null, 0, 7, 14, Null);        // every Saturday, Day Null
    add(0, 2026, 6, -1, 0, 2, 15, 3);          // Mondays of June 2026
    add(1, 0, 0, -1, 5, 1, 12, Null);          // every fifth Sunday, a holiday
    add(0, 0, 11, -1, 4, 5, 9, 6);             // fourth Thursday of November
    add(1, 2029, 5, 6, -1, -1, 12, Null);      // one holiday, on a Sunday
    add(10, 0, 9, Null, Null, Null, 12, Null); // the autumn equinox
    add(0, 0, 0, -1, 0, 1, 0, 0);              // colour 0: drawn nowhere
}

// Every month's cells and, for every day, the positions of its schedules.
struct Book
{
    std::vector<std::array<DayCell, CellCount>> grids;
    std::vector<std::vector<int>> days;
};

Book ReadBook(Recordset& schedules)
{
    Settings settings;
    Book book;
    const QDateTime elsewhere(QDate(2001, 1, 15), QTime(12, 0));
    for (QDate month(2020, 1, 1); month.year() <= 2030; month = month.addMonths(1)) {
        QString error;
        const MonthModel model =
            BuildMonthModel(month, settings, &schedules, elsewhere, StandardMarkSymbols(), &error);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        book.grids.push_back(model.cells);
        for (QDate day = month; day.month() == month.month(); day = day.addDays(1))
            book.days.push_back(FindSchedulesOn(schedules, day));
    }
    return book;
}

// The Schedule table as the previous version created it: the fields up to
// AlarmFlag.
void WritePreviousVersionFile(const QString& folder)
{
    TableDef previous = ScheduleTableDefinition();
    previous.fields.resize(15);
    ASSERT_EQ(previous.fields.back().name, f::AlarmFlag);
    std::unique_ptr<Database> file = Database::CreateDatabase(DataFilePath(folder));
    file->CreateTable(previous);
    CreateMemoTable(*file);
    ScheduleDatabase database(std::move(file));
    CreateInitialSchedules(database, InitialScheduleEntries());
    AddRecordsOfEveryRule(database.schedules());
}

TEST(OlderDataFile, OpensWithTheSameMonthGridsAndDaysFrom2020To2030)
{
    QTemporaryDir folder;
    WritePreviousVersionFile(folder.path());

    Book before;
    {
        std::unique_ptr<Database> file = Database::OpenDatabase(DataFilePath(folder.path()));
        ASSERT_EQ(file->TableDefinition(f::Table).fields.size(), 15u);
        std::unique_ptr<Recordset> schedules = file->OpenRecordset(f::Table);
        before = ReadBook(*schedules);
    }

    OpenScheduleResult opened = OpenScheduleDatabase(folder.path());
    ASSERT_EQ(opened.outcome, OpenOutcome::Opened) << opened.failure.text.toStdString();
    Recordset& schedules = opened.database->schedules();
    ASSERT_EQ(schedules.FieldCount(), 18);
    const Book after = ReadBook(schedules);

    ASSERT_EQ(after.grids.size(), before.grids.size());
    for (std::size_t i = 0; i < before.grids.size(); ++i)
        EXPECT_EQ(after.grids[i], before.grids[i])
            << "month " << i / 12 + 2020 << "/" << i % 12 + 1;
    EXPECT_EQ(after.days, before.days);
    // The book is not empty: a good part of the eleven years' days show
    // something.
    std::size_t daysWithSchedules = 0;
    for (const std::vector<int>& day : after.days)
        daysWithSchedules += day.empty() ? 0 : 1;
    EXPECT_GT(daysWithSchedules, after.days.size() / 3);
}

} // namespace
} // namespace morvane
