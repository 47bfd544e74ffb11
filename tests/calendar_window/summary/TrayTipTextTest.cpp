#include "calendar_window/summary/TrayTipText.h"

#include "calendar_window/month/ScheduleFixture.h"
#include "calendar_window/summary/DaySchedulesSummary.h"
#include "context/AppContext.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

using test::Dated;
using test::Rec;
using test::ScheduleFixture;

struct TipCase
{
    int type;
    QDate date;
    int count;
    const char16_t* expected;
};

void PrintTo(const TipCase& c, std::ostream* out)
{
    *out << "type " << c.type << " on " << c.date.toString(Qt::ISODate).toStdString();
}

class TrayTipLayouts : public ::testing::TestWithParam<TipCase>
{
};

TEST_P(TrayTipLayouts, TextOfTheLayout)
{
    const TipCase& c = GetParam();
    EXPECT_EQ(TrayTipText(c.type, c.date, c.count), QString::fromUtf16(c.expected));
}

// Friday 3 May 2024 is 先負 in the sixth year of 令和.
const QDate kMay3 = QDate(2024, 5, 3);

INSTANTIATE_TEST_SUITE_P(
    AllSixteen, TrayTipLayouts,
    ::testing::Values(TipCase{0, kMay3, 2, u"2024年5月3日(金)[先負]：2件"},
                      TipCase{1, kMay3, 2, u"令和6年5月3日(金)[先負]：2件"},
                      TipCase{2, kMay3, 2, u"R6年5月3日(金)[先負]：2件"},
                      TipCase{3, kMay3, 2, u"2024年5月3日(金)"},
                      TipCase{4, kMay3, 2, u"令和6年5月3日(金)"},
                      TipCase{5, kMay3, 2, u"R6年5月3日(金)"},
                      TipCase{6, kMay3, 2, u"2024/5/3(金)"}, TipCase{7, kMay3, 2, u"令和6/5/3(金)"},
                      TipCase{8, kMay3, 2, u"R6/5/3(金)"}, TipCase{9, kMay3, 2, u"令和6/5/3"},
                      TipCase{10, kMay3, 2, u"R6/5/3"}, TipCase{11, kMay3, 2, u"5/3(金)"},
                      TipCase{12, kMay3, 2, u"5/3"}, TipCase{13, kMay3, 2, u"5/3(金)[先負]：2件"},
                      TipCase{14, kMay3, 2, u"先負"}, TipCase{15, kMay3, 2, u"2件"}));

// A day without schedules, the first day of an era and a two-digit month.
INSTANTIATE_TEST_SUITE_P(
    ZeroCountsAndEras, TrayTipLayouts,
    ::testing::Values(TipCase{0, QDate(2024, 5, 4), 0, u"2024年5月4日(土)[仏滅]：0件"},
                      TipCase{1, QDate(2024, 5, 4), 0, u"令和6年5月4日(土)[仏滅]：0件"},
                      TipCase{2, QDate(2024, 5, 4), 0, u"R6年5月4日(土)[仏滅]：0件"},
                      TipCase{13, QDate(2024, 5, 4), 0, u"5/4(土)[仏滅]：0件"},
                      TipCase{15, QDate(2024, 5, 4), 0, u"0件"},
                      TipCase{4, QDate(2019, 5, 1), 0, u"令和1年5月1日(水)"},
                      TipCase{7, QDate(2019, 4, 30), 0, u"平成31/4/30(火)"},
                      TipCase{10, QDate(2026, 12, 8), 0, u"R8/12/8"}));

INSTANTIATE_TEST_SUITE_P(OutsideTheTable, TrayTipLayouts,
                         ::testing::Values(TipCase{-1, kMay3, 2, u"error"},
                                           TipCase{16, kMay3, 2, u"error"},
                                           TipCase{999, kMay3, 2, u"error"}));

// Today's count goes through the full day filter and the equinox check:
// the computed 春分の日 counts on 20 March 2024 only.
class TodayCount : public ::testing::Test
{
protected:
    TodayCount() : context(clock, fixture.folder())
    {
        fixture.add({
            Rec{10, 0, 3, {}, {}, {}, 12, {}, QStringLiteral("春分の日")},
            Dated(0, 2024, 3, 20, 9, {}, QStringLiteral("歯医者")),
            Dated(0, 0, 3, 21, 9, {}, QStringLiteral("誕生日会")),
            Rec{0, 0, 0, -1, 0, 4, 9, {}, QStringLiteral("水曜の会議")}, // every Wednesday
        });
        context.setDatabase(fixture.release());
    }

    QString tipOn(QDate date, int type)
    {
        clock.set(QDateTime(date, QTime(12, 0)));
        return getToolTipTextByDate(context, type);
    }

    ScheduleFixture fixture;
    FixedClock clock;
    AppContext context;
};

TEST_F(TodayCount, EquinoxHolidayCountsOnlyOnItsComputedDay)
{
    EXPECT_EQ(tipOn(QDate(2024, 3, 20), 15), QStringLiteral("3件")); // Wednesday, 春分
    EXPECT_EQ(tipOn(QDate(2024, 3, 21), 15), QStringLiteral("1件"));
    EXPECT_EQ(tipOn(QDate(2024, 3, 27), 13), QStringLiteral("3/27(水)[先勝]：1件"));
}

TEST_F(TodayCount, WithoutDatabaseTheCountIsZero)
{
    context.closeDatabase();
    EXPECT_EQ(tipOn(QDate(2024, 3, 20), 15), QStringLiteral("0件"));
}

} // namespace
} // namespace morvane
