#include "calendar_window/month/DrawCalendar.h"

#include "ScheduleFixture.h"
#include "calendar_window/month/MonthModel.h"
#include "calendar_window/month/MonthView.h"
#include "context/AppContext.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <vector>

namespace morvane {
namespace {

using test::Dated;
using test::ScheduleFixture;

// Records what the drawing hands to the window, in order.
class FakeMonthView final : public MonthView
{
public:
    void showMonth(const MonthModel& model) override
    {
        calls.push_back(QStringLiteral("showMonth"));
        shown = model;
    }
    void showTodayCursor(int cell) override
    {
        calls.push_back(QStringLiteral("cursor %1").arg(cell));
        cursorCell = cell;
    }
    void setTitle(const QString& title) override { shown.title = title; }
    void setTitleClock(bool running) override
    {
        calls.push_back(running ? QStringLiteral("clock on") : QStringLiteral("clock off"));
        clock = running;
    }
    void paintCalendarBackground() override { calls.push_back(QStringLiteral("paint")); }

    std::vector<QString> calls;
    MonthModel shown;
    int cursorCell = -1;
    bool clock = false;
};

struct Recorded
{
    std::vector<QDate> monthsDrawn;
    std::vector<QDate> cursorDays;
    std::vector<QString> warnings;
    std::vector<int> progress;
};

class DrawCalendarTest : public ::testing::Test
{
protected:
    DrawCalendarTest()
        : clock(QDateTime(QDate(2026, 5, 20), QTime(9, 30))), context(clock, fixture.folder())
    {
        context.MarkSymbols = StandardMarkSymbols();
        AppEvents& events = context.events();
        QObject::connect(&events, &AppEvents::monthDrawn,
                         [this](QDate month) { recorded.monthsDrawn.push_back(month); });
        QObject::connect(&events, &AppEvents::todayCursorPlaced,
                         [this](QDate day) { recorded.cursorDays.push_back(day); });
        QObject::connect(&events, &AppEvents::warningRaised,
                         [this](const QString& text) { recorded.warnings.push_back(text); });
        QObject::connect(&events, &AppEvents::startupProgress,
                         [this](int value) { recorded.progress.push_back(value); });
    }

    void openDatabase() { context.setDatabase(fixture.release()); }

    ScheduleFixture fixture;
    FixedClock clock;
    AppContext context;
    FakeMonthView view;
    Recorded recorded;
};

TEST_F(DrawCalendarTest, CurrentMonthRunsEveryStepInOrder)
{
    fixture.add(Dated(0, 2026, 5, 15, 12, 0));
    openDatabase();
    const QString error = DrawCalendar(context, view, QStringLiteral("2026/5/01"));

    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(context.DisplayMonth, QStringLiteral("2026/5/01"));
    EXPECT_EQ(context.displayMonthDate(), QDate(2026, 5, 1));
    EXPECT_EQ(context.DaysInMonth, 31);
    const std::vector<QString> expected = {QStringLiteral("clock off"), QStringLiteral("showMonth"),
                                           QStringLiteral("clock off"), QStringLiteral("cursor 32"),
                                           QStringLiteral("paint")};
    EXPECT_EQ(view.calls, expected);
    EXPECT_EQ(view.shown.title, QStringLiteral(u"2026年5月"));
    EXPECT_EQ(
        view.shown.cells[static_cast<std::size_t>(CellOfDay(QDate(2026, 5, 1), 15))].markGlyph,
        QStringLiteral(u"●"));
    EXPECT_EQ(recorded.monthsDrawn, std::vector<QDate>{QDate(2026, 5, 1)});
    EXPECT_EQ(recorded.cursorDays, std::vector<QDate>{QDate(2026, 5, 20)});
    ASSERT_FALSE(recorded.progress.empty());
    EXPECT_GE(recorded.progress.front(), 70);
    EXPECT_EQ(recorded.progress.back(), 100);
    EXPECT_TRUE(recorded.warnings.empty());
}

TEST_F(DrawCalendarTest, OtherMonthRemovesTheCursorAndLeavesTheTrayAlone)
{
    openDatabase();
    DrawCalendar(context, view, QStringLiteral("2026/05/01"));
    recorded.cursorDays.clear();
    DrawCalendar(context, view, QStringLiteral("2026/6/01"));
    EXPECT_EQ(view.cursorCell, 0);
    EXPECT_TRUE(recorded.cursorDays.empty());
    EXPECT_EQ(recorded.monthsDrawn.back(), QDate(2026, 6, 1));
    EXPECT_EQ(context.DaysInMonth, 30);
}

TEST_F(DrawCalendarTest, TitleClockRunsForClockTypes)
{
    openDatabase();
    context.settings().TitleType = 8;
    DrawCalendar(context, view, QStringLiteral("2026/5/01"));
    EXPECT_TRUE(view.clock);
    EXPECT_EQ(view.shown.title, QStringLiteral("09:30"));
}

TEST_F(DrawCalendarTest, OutOfRangeTitleTypeIsDrawnAndStoredAsZero)
{
    openDatabase();
    context.settings().TitleType = 11;
    DrawCalendar(context, view, QStringLiteral("2026/5/01"));
    EXPECT_EQ(view.shown.title, QStringLiteral(u"2026年5月"));
    EXPECT_EQ(context.settings().TitleType, 0);
}

TEST_F(DrawCalendarTest, DatabaseFailureIsReportedOnceAndTheMonthStillShows)
{
    fixture.add(Dated(0, 2026, 5, 15, 12, 0));
    openDatabase();
    context.database()->Close(); // every read now fails
    const QString error = DrawCalendar(context, view, QStringLiteral("2026/5/01"));

    EXPECT_FALSE(error.isEmpty());
    ASSERT_EQ(recorded.warnings.size(), 1u);
    EXPECT_EQ(recorded.warnings.front(), error);
    // The grid, the cursor and the background still come.
    EXPECT_EQ(view.shown.cells[static_cast<std::size_t>(CellOfDay(QDate(2026, 5, 1), 1))].day, 1);
    EXPECT_EQ(view.cursorCell, 32);
    EXPECT_EQ(view.calls.back(), QStringLiteral("paint"));
}

TEST_F(DrawCalendarTest, TodayCursorCell)
{
    // 1 May 2026 is a Friday (weekday 6): day d sits in cell d + 12.
    EXPECT_EQ(TodayCursorCell(QDate(2026, 5, 1), QDate(2026, 5, 20)), 32);
    EXPECT_EQ(TodayCursorCell(QDate(2026, 4, 1), QDate(2026, 5, 20)), 0);
    EXPECT_EQ(TodayCursorCell(QDate(2025, 5, 1), QDate(2026, 5, 20)), 0);
}

} // namespace
} // namespace morvane
