#include "calendar_window/summary/DayBalloonText.h"

#include "calendar_window/month/ScheduleFixture.h"
#include "calendar_window/summary/DaySchedulesSummary.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

using test::Dated;
using test::Rec;
using test::ScheduleFixture;

const QDate kMay3 = QDate(2024, 5, 3);

TEST(DayBalloonText, TitleLineHasDateWeekdayAndRokuyou)
{
    EXPECT_EQ(DayBalloonTitle(kMay3), QStringLiteral("2024/5/3(金)[先負]"));
    EXPECT_EQ(DayBalloonTitle(QDate(2024, 5, 4)), QStringLiteral("2024/5/4(土)[仏滅]"));
}

TEST(DayBalloonText, ThreeMessagesGiveTwoSeparatorsAsWideAsTheWidestLine)
{
    // The widest message, ten full-width characters, is 20 bytes: 10 "─".
    const QStringList messages{QStringLiteral("会議"), QStringLiteral("あいうえおかきくけこ"),
                               QStringLiteral("dentist 15:00")};
    const QString separator(10, QChar(0x2500));
    const DayBalloonText text = BuildDayBalloonText(kMay3, messages);
    EXPECT_EQ(text.title, QStringLiteral("2024/5/3(金)[先負]"));
    EXPECT_EQ(text.body, "会議\r\n" + separator + "\r\nあいうえおかきくけこ\r\n" + separator +
                             "\r\ndentist 15:00");
}

struct WidthCase
{
    QStringList messages;
    int width;
};

class SeparatorWidth : public ::testing::TestWithParam<WidthCase>
{
};

TEST_P(SeparatorWidth, CountsCodePage932BytesPerLine)
{
    EXPECT_EQ(BalloonSeparatorWidth(GetParam().messages), GetParam().width);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SeparatorWidth,
    ::testing::Values(WidthCase{{}, 0}, WidthCase{{QStringLiteral("abc")}, 3},
                      WidthCase{{QStringLiteral("ｱｲｳ")}, 3},      // half-width kana: one byte each
                      WidthCase{{QStringLiteral("予定あり")}, 8}, // full-width: two bytes each
                      WidthCase{{QStringLiteral("ab"), QStringLiteral("abcde")}, 5},
                      // A line ending in CR LF counts its CR; the LF opens the next line.
                      WidthCase{{QStringLiteral("abcd\r\nxy")}, 5},
                      WidthCase{{QStringLiteral("ab\r\nwxyz")}, 5},
                      // Full-width lines are measured in bytes, not in characters.
                      WidthCase{{QStringLiteral("会議\r\n資料準備")}, 9},
                      WidthCase{{QStringLiteral("資料準備\r\n会議")}, 9},
                      // Lines typed here may end in a bare LF.
                      WidthCase{{QStringLiteral("資料準備\n会議")}, 9}));

TEST(DayBalloonText, SeparatorIsHalfTheWidthRoundedUp)
{
    EXPECT_EQ(BalloonSeparator(0), QString());
    EXPECT_EQ(BalloonSeparator(1), QString(1, QChar(0x2500)));
    EXPECT_EQ(BalloonSeparator(20), QString(10, QChar(0x2500)));
    EXPECT_EQ(BalloonSeparator(21), QString(11, QChar(0x2500)));
}

TEST(DayBalloonText, WithoutMessagesTheDateLineIsTheBodyAndThereIsNoTitle)
{
    const DayBalloonText none = BuildDayBalloonText(kMay3, {});
    EXPECT_EQ(none.title, QString());
    EXPECT_EQ(none.body, QStringLiteral("2024/5/3(金)[先負]"));

    const DayBalloonText blank = BuildDayBalloonText(kMay3, {QStringLiteral("  ")});
    EXPECT_EQ(blank, none);
}

TEST(DayBalloonText, OneMessageHasNoSeparator)
{
    const DayBalloonText text = BuildDayBalloonText(kMay3, {QStringLiteral("母の日")});
    EXPECT_EQ(text.body, QStringLiteral("母の日"));
    EXPECT_FALSE(text.title.isEmpty());
}

TEST(DayScheduleMessages, ListedInSearchOrderAndEquinoxOnlyOnItsDay)
{
    ScheduleFixture fixture;
    fixture.add({
        Dated(0, 0, 9, 22, 9, {}, QStringLiteral("毎年の予定")),
        Rec{10, 0, 9, {}, {}, {}, 12, {}, QStringLiteral("秋分の日")},
        Dated(0, 2024, 9, 22, 9, {}, QStringLiteral("今年だけ")),
    });
    // 2024: the autumnal equinox falls on 22 September.
    EXPECT_EQ(ScheduleMessagesOn(fixture.schedules(), QDate(2024, 9, 22)),
              (QStringList{QStringLiteral("毎年の予定"), QStringLiteral("秋分の日"),
                           QStringLiteral("今年だけ")}));
    // 2025: it falls on the 23rd.
    EXPECT_EQ(ScheduleMessagesOn(fixture.schedules(), QDate(2025, 9, 22)),
              (QStringList{QStringLiteral("毎年の予定")}));
    EXPECT_EQ(CountSchedulesOn(fixture.schedules(), QDate(2025, 9, 23)), 1);
}

} // namespace
} // namespace morvane
