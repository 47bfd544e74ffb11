#include "context/AppContext.h"

#include "data/records/ScheduleDatabase.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace morvane {
namespace {

TEST(MarkSymbols, GlyphOfMarkCodeKIsEntryKPlusOne)
{
    const MarkSymbolTable marks = StandardMarkSymbols();
    EXPECT_TRUE(marks[0].isEmpty()); // Mark -1 shows nothing
    const QString expected = QStringLiteral(u"●■◆▲▼★○◎□◇△▽☆＿〓");
    for (int code = 0; code < 15; ++code)
        EXPECT_EQ(marks[static_cast<std::size_t>(code + 1)], expected.mid(code, 1)) << code;
}

TEST(DateTexts, MonthsPassAsTextWithoutLeadingZeros)
{
    EXPECT_EQ(FirstDayText(QDate(2026, 12, 24)), QStringLiteral("2026/12/01"));
    EXPECT_EQ(FirstDayText(QDate(2024, 5, 3)), QStringLiteral("2024/5/01"));
    EXPECT_TRUE(FirstDayText(QDate()).isEmpty());

    const struct
    {
        const char* text;
        QDate date;
    } texts[] = {
        {"2024/5/01", QDate(2024, 5, 1)},
        {"2024/05/01", QDate(2024, 5, 1)},
        {" 2024/5/1 ", QDate(2024, 5, 1)},
        {"2024/2/30", QDate()},
        {"2024/13/01", QDate()},
        {"2024-05-01", QDate()},
        {"", QDate()},
        {"2024/5", QDate()},
    };
    for (const auto& t : texts)
        EXPECT_EQ(ParseDateText(QString::fromLatin1(t.text)), t.date) << t.text;
}

TEST(AppContext, DisplayMonthTextAndDate)
{
    QTemporaryDir dir;
    FixedClock clock;
    AppContext context(clock, dir.path());
    EXPECT_FALSE(context.displayMonthDate().isValid());
    context.setDisplayMonth(QDate(2026, 9, 23));
    EXPECT_EQ(context.DisplayMonth, QStringLiteral("2026/9/01"));
    EXPECT_EQ(context.displayMonthDate(), QDate(2026, 9, 1));
    context.DisplayMonth = QStringLiteral("2026/10/15"); // any text that reads as a date
    EXPECT_EQ(context.displayMonthDate(), QDate(2026, 10, 1));
    EXPECT_EQ(context.programFolder(), dir.path());
}

TEST(AppContext, OwnsTheDatabaseUntilClosed)
{
    QTemporaryDir dir;
    FixedClock clock;
    AppContext context(clock, dir.path());
    EXPECT_EQ(context.database(), nullptr);
    context.setDatabase(OpenScheduleDatabase(dir.path()).database);
    ASSERT_NE(context.database(), nullptr);
    context.closeDatabase();
    EXPECT_EQ(context.database(), nullptr);
    context.closeDatabase(); // harmless
    // Closed means released: the file opens again.
    EXPECT_TRUE(OpenScheduleDatabase(dir.path()).ok());
}

} // namespace
} // namespace morvane
