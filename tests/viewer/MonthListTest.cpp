#include "viewer/MonthList.h"

#include "calendar_math/WeekFunctions.h"
#include "data/records/DayFilter.h"
#include "data/records/DaySchedules.h"
#include "data/records/ScheduleCodes.h"
#include "viewer/RowKey.h"
#include "viewer/ViewerFixture.h"

#include <array>
#include <gtest/gtest.h>

namespace morvane {
namespace {

using test::Dated;
using test::Equinox;
using test::Rec;
using test::ViewerFixture;
using test::Weekday;

const MonthListLook kLook{QColor(255, 0, 0), QColor(0, 150, 255)};
const QDate kToday(2026, 12, 10);

QColor Palette(int index)
{
    return QColor::fromRgb(QBColor(index)->argb());
}

// The schedule cells of the rows of one day, in list order.
QStringList TextsOfDay(const ListModel& model, int day)
{
    QStringList texts;
    for (const ListRow& row : model.rows) {
        if (row.day == day)
            texts << row.text(3);
    }
    return texts;
}

const ListRow& FirstRowOfDay(const ListModel& model, int day)
{
    for (const ListRow& row : model.rows) {
        if (row.day == day)
            return row;
    }
    throw std::runtime_error("no row for the day");
}

// Days whose rows hold "振替休日".
std::vector<int> SubstituteDays(const ListModel& model)
{
    std::vector<int> days;
    for (const ListRow& row : model.rows) {
        if (row.text(3) == QStringLiteral("振替休日"))
            days.push_back(row.day);
    }
    return days;
}

class MonthListTest : public ::testing::Test
{
protected:
    ListModel list(int year, int month, int typeFilter = -1, QDate today = kToday)
    {
        return ShowMonthList(fixture.schedules(), year, month, typeFilter, today, kLook);
    }
    ViewerFixture fixture;
};

// --- Substitute holidays ---------------------------------------------------

struct SubstituteCase
{
    const char* name;
    std::vector<Rec> records;
    int year;
    int month;
    std::vector<int> substituteDays;
};

void PrintTo(const SubstituteCase& c, std::ostream* out)
{
    *out << c.name;
}

class Substitutes : public ::testing::TestWithParam<SubstituteCase>
{
};

TEST_P(Substitutes, FollowTheRunOfHolidaysThatHoldsASunday)
{
    ViewerFixture fixture;
    for (const Rec& rec : GetParam().records)
        fixture.add(rec);
    const ListModel model =
        ShowMonthList(fixture.schedules(), GetParam().year, GetParam().month, -1, kToday, kLook);
    EXPECT_EQ(SubstituteDays(model), GetParam().substituteDays);
}

const Rec kConstitution = Dated(1, 0, 5, 3, QStringLiteral("憲法記念日"), 12);
const Rec kGreenery = Dated(1, 0, 5, 4, QStringLiteral("みどりの日"), 12);
const Rec kChildren = Dated(1, 0, 5, 5, QStringLiteral("こどもの日"), 12);

INSTANTIATE_TEST_SUITE_P(
    Cases, Substitutes,
    ::testing::Values(
        // 3 November 2024 is a Sunday.
        SubstituteCase{"SundayHolidayGivesMonday",
                       {Dated(1, 0, 11, 3, QStringLiteral("文化の日"), 12)},
                       2024,
                       11,
                       {4}},
        // 3 May 2026 is a Sunday: the substitute goes after the run.
        SubstituteCase{"GoldenWeek2026", {kConstitution, kGreenery, kChildren}, 2026, 5, {6}},
        // Stored in another order, the run is the same.
        SubstituteCase{"GoldenWeekAnyOrder", {kChildren, kConstitution, kGreenery}, 2026, 5, {6}},
        // 2025: 4 May is the Sunday, inside the run.
        SubstituteCase{"SundayInsideTheRun", {kConstitution, kGreenery, kChildren}, 2025, 5, {6}},
        // 2027: no day of the run is a Sunday.
        SubstituteCase{"NoSundayNoSubstitute", {kConstitution, kGreenery, kChildren}, 2027, 5, {}},
        // 31 May 2026 is a Sunday: nothing in May, nothing on 1 June.
        SubstituteCase{
            "SundayOnTheLastDay", {Dated(1, 0, 5, 31, QStringLiteral("月末"), 12)}, 2026, 5, {}},
        SubstituteCase{"NothingCarriesIntoTheNextMonth",
                       {Dated(1, 0, 5, 31, QStringLiteral("月末"), 12)},
                       2026,
                       6,
                       {}},
        // The vernal equinox of 2016 fell on Sunday 20 March.
        SubstituteCase{"EquinoxOnASunday", {Equinox(3, QStringLiteral("春分の日"))}, 2016, 3, {21}},
        SubstituteCase{"EquinoxOnAWeekday", {Equinox(3, QStringLiteral("春分の日"))}, 2026, 3, {}},
        // A one-off holiday of another year is no holiday this year.
        SubstituteCase{"OneOffHolidayOfAnotherYear",
                       {Dated(1, 2020, 11, 3, QStringLiteral("昔の文化の日"), 12)},
                       2024,
                       11,
                       {}},
        SubstituteCase{"OneOffHolidayOfThisYear",
                       {Dated(1, 2024, 11, 3, QStringLiteral("文化の日"), 12)},
                       2024,
                       11,
                       {4}}));

TEST_F(MonthListTest, SubstituteRowComesFirstInLightRedWithoutAKey)
{
    fixture.add(
        {Equinox(3, QStringLiteral("春分の日")), Dated(0, 2016, 3, 21, QStringLiteral("会議"), 9)});
    const ListModel model = list(2016, 3);
    EXPECT_EQ(TextsOfDay(model, 21),
              (QStringList{QStringLiteral("振替休日"), QStringLiteral("会議")}));
    const ListRow& substitute = FirstRowOfDay(model, 21);
    EXPECT_EQ(substitute.text(0), QStringLiteral("21"));
    EXPECT_TRUE(substitute.key.isEmpty());
    for (std::size_t cell : {0u, 1u, 2u, 3u})
        EXPECT_EQ(substitute.cells[cell].color, Palette(12)) << cell;
    // Only the records count.
    EXPECT_EQ(model.statusCount, QStringLiteral("2件"));
}

// --- Equinox days, sandwiched days -----------------------------------------

TEST_F(MonthListTest, EquinoxRecordShowsOnItsComputedDayOnly)
{
    fixture.add({Equinox(3, QStringLiteral("春分の日")), Equinox(9, QStringLiteral("秋分の日"))});
    const ListModel march = list(2026, 3);
    for (int day = 1; day <= 31; ++day) {
        const QStringList expected = day == GetEquinoxDay(2026, 3)
                                         ? QStringList{QStringLiteral("春分の日")}
                                         : QStringList{QString()};
        EXPECT_EQ(TextsOfDay(march, day), expected) << day;
    }
    EXPECT_EQ(FirstRowOfDay(march, 20).reportIconKey, QStringLiteral("holiday_item"));
    EXPECT_EQ(list(2026, 4).count, 0);
    EXPECT_EQ(TextsOfDay(list(2026, 9), 23), QStringList{QStringLiteral("秋分の日")});
}

TEST_F(MonthListTest, DayBetweenTwoHolidaysIsLightRedWithoutText)
{
    // September 2026: 敬老の日 Monday 21, 秋分の日 Wednesday 23.
    fixture.add({Weekday(1, 0, 9, 3, 2, QStringLiteral("敬老の日"), 12),
                 Equinox(9, QStringLiteral("秋分の日"))});
    const ListModel model = list(2026, 9);
    const ListRow& between = FirstRowOfDay(model, 22);
    EXPECT_EQ(between.text(3), QString());
    EXPECT_TRUE(between.key.isEmpty());
    for (std::size_t cell : {0u, 1u, 2u, 3u})
        EXPECT_EQ(between.cells[cell].color, Palette(12)) << cell;
    // Its neighbours keep their own colours, and other days none.
    EXPECT_FALSE(FirstRowOfDay(model, 24).cells[0].color.has_value());
    // Without the holidays in the list (another type node) nothing is between.
    const ListModel diary = list(2026, 9, 5);
    EXPECT_FALSE(FirstRowOfDay(diary, 22).cells[0].color.has_value());
}

// --- Rows of a day ----------------------------------------------------------

TEST_F(MonthListTest, ThreeSchedulesOnOneDayGiveThreeRows)
{
    fixture.add({Dated(0, 2026, 12, 8, QStringLiteral("一"), 9),
                 Weekday(0, 0, 0, 0, 3, QStringLiteral("毎週火曜"), 9),
                 Weekday(0, 0, 12, 2, 3, QStringLiteral("第2火曜"), 9)});
    fixture.schedules().SetAbsolutePosition(0);
    const ListModel model = list(2026, 12);
    EXPECT_EQ(TextsOfDay(model, 8), (QStringList{QStringLiteral("一"), QStringLiteral("毎週火曜"),
                                                 QStringLiteral("第2火曜")}));
    std::vector<const ListRow*> rows;
    for (const ListRow& row : model.rows) {
        if (row.day == 8)
            rows.push_back(&row);
    }
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0]->text(0), QStringLiteral("8"));
    EXPECT_EQ(rows[0]->text(1), QStringLiteral("火"));
    EXPECT_FALSE(rows[0]->text(2).isEmpty()); // rokuyou
    for (int i : {1, 2}) {
        EXPECT_EQ(rows[std::size_t(i)]->text(0), QString());
        EXPECT_EQ(rows[std::size_t(i)]->text(1), QString());
        EXPECT_EQ(rows[std::size_t(i)]->text(2), QString());
    }
    // Keys: the record's position, then the ordinal among the listed records
    // (the weekly record was listed on the 1st already).
    EXPECT_EQ(rows[0]->key, QStringLiteral("K0000K0001"));
    EXPECT_EQ(RowKeyPosition(rows[1]->key), 1);
    EXPECT_EQ(RowKeyPosition(rows[2]->key), 2);
    // A day without schedules: one row, no key, empty schedule cell.
    EXPECT_EQ(TextsOfDay(model, 9), QStringList{QString()});
    EXPECT_TRUE(FirstRowOfDay(model, 9).key.isEmpty());
    // Every row maps back to its day.
    const std::vector<int> map = model.ListRowMap();
    for (std::size_t r = 1; r < map.size(); ++r)
        EXPECT_EQ(map[r], model.rows[r - 1].day);
}

TEST_F(MonthListTest, TodaysRowsAreBoldOnlyInTheCurrentMonth)
{
    fixture.add({Dated(0, 0, 0, 10, QStringLiteral("毎月10日"), 9),
                 Dated(0, 0, 0, 10, QStringLiteral("もう一つ"), 9)});
    const ListModel december = list(2026, 12);
    int boldRows = 0;
    for (const ListRow& row : december.rows) {
        const bool bold = row.cells[0].bold && row.cells[3].bold && row.cells[4].bold;
        EXPECT_EQ(bold, row.day == 10) << row.day;
        boldRows += bold;
    }
    EXPECT_EQ(boldRows, 2);
    for (const ListRow& row : list(2026, 11).rows)
        EXPECT_FALSE(row.cells[0].bold || row.cells[3].bold) << row.day;
    for (const ListRow& row : list(2025, 12).rows)
        EXPECT_FALSE(row.cells[0].bold || row.cells[3].bold) << row.day;
}

TEST_F(MonthListTest, FebruaryOfALeapYearHas29DayRows)
{
    const ListModel model = list(2028, 2);
    ASSERT_EQ(model.rows.size(), 29u);
    EXPECT_EQ(model.rows.back().text(0), QStringLiteral("29"));
    EXPECT_EQ(model.caption, QStringLiteral("Morvane [Viewer] - 2028年2月間予定"));
    EXPECT_EQ(model.statusTitle, QStringLiteral("2028年2月間予定"));
    EXPECT_EQ(model.statusCount, QStringLiteral("0件"));
    EXPECT_EQ(list(2100, 2).rows.size(), 28u);
}

TEST_F(MonthListTest, SundayHolidayKeepsTheSundayLetter)
{
    fixture.add(Dated(1, 0, 12, 6, QStringLiteral("日曜の祝日"), 4)); // a Sunday in 2026
    const ListModel model = list(2026, 12);
    const ListRow& row = FirstRowOfDay(model, 6);
    EXPECT_EQ(row.cells[0].color, Palette(4));
    EXPECT_EQ(row.cells[1].color, kLook.sunday);
    EXPECT_EQ(row.cells[3].color, Palette(4));
}

TEST_F(MonthListTest, WeekendRowsTakeTheWeekdayColours)
{
    const ListModel model = list(2026, 12); // 1 December 2026 is a Tuesday
    const ListRow& sunday = FirstRowOfDay(model, 6);
    EXPECT_EQ(sunday.text(1), QStringLiteral("日"));
    for (std::size_t cell : {0u, 1u, 2u})
        EXPECT_EQ(sunday.cells[cell].color, kLook.sunday) << cell;
    const ListRow& saturday = FirstRowOfDay(model, 5);
    EXPECT_EQ(saturday.text(1), QStringLiteral("土"));
    EXPECT_EQ(saturday.cells[0].color, kLook.saturday);
    EXPECT_FALSE(FirstRowOfDay(model, 7).cells[0].color.has_value());
}

// --- Colours ----------------------------------------------------------------

struct ColourCase
{
    const char* name;
    int type;
    int color;
    std::optional<QColor> dayCell;
    std::optional<QColor> scheduleCell;
};

void PrintTo(const ColourCase& c, std::ostream* out)
{
    *out << c.name;
}

class Colours : public ::testing::TestWithParam<ColourCase>
{
};

TEST_P(Colours, FollowTheRecordsColourCode)
{
    ViewerFixture fixture;
    // 7 December 2026 is a Monday: no weekday colour in the way.
    fixture.add(Dated(GetParam().type, 2026, 12, 7, QStringLiteral("x"), GetParam().color));
    const ListModel model =
        ShowMonthList(fixture.schedules(), 2026, 12, -1, QDate(2020, 1, 1), kLook);
    const ListRow& row = FirstRowOfDay(model, 7);
    EXPECT_EQ(row.cells[0].color, GetParam().dayCell);
    EXPECT_EQ(row.cells[1].color, GetParam().dayCell);
    EXPECT_EQ(row.cells[2].color, GetParam().dayCell);
    EXPECT_EQ(row.cells[3].color, GetParam().scheduleCell);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, Colours,
    ::testing::Values(ColourCase{"Code14IsDarkYellow", 0, 14, {}, Palette(6)},
                      ColourCase{"Code15IsBlack", 0, 15, {}, QColor(Qt::black)},
                      ColourCase{"OrdinaryBlue", 0, 9, {}, Palette(9)},
                      ColourCase{"HolidayDarkRedColoursTheRow", 1, 4, Palette(4), Palette(4)},
                      ColourCase{"HolidayCode14OnlyTheText", 1, 14, {}, Palette(6)},
                      ColourCase{"OutsideThePaletteKeepsDefaults", 0, 99, {}, {}}));

TEST_F(MonthListTest, AlarmColumnAndIconsByType)
{
    Rec birthday = Dated(2, 2026, 12, 7, QStringLiteral("誕生日"), 9);
    birthday.alarm = QStringLiteral("09:30");
    Rec blankAlarm = Dated(20, 2026, 12, 7, QStringLiteral("番組"), 9);
    blankAlarm.alarm = QStringLiteral("  ");
    fixture.add({birthday, blankAlarm, Dated(99, 2026, 12, 7, QStringLiteral("未知"), 9)});
    const ListModel model = list(2026, 12);
    std::vector<const ListRow*> rows;
    for (const ListRow& row : model.rows) {
        if (row.day == 7)
            rows.push_back(&row);
    }
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0]->text(4), QStringLiteral("09:30"));
    EXPECT_EQ(rows[0]->reportIconKey, QStringLiteral("birthday_item"));
    EXPECT_EQ(rows[1]->text(4), QString());
    EXPECT_EQ(rows[1]->reportIconKey, QStringLiteral("tv_item"));
    // A kind the list does not know: an empty row that still stands for it.
    EXPECT_EQ(rows[2]->text(3), QString());
    EXPECT_FALSE(rows[2]->cells[3].color.has_value());
    EXPECT_EQ(RowKeyPosition(rows[2]->key), 2);
    EXPECT_EQ(model.count, 3);
}

// --- Type nodes -------------------------------------------------------------

TEST_F(MonthListTest, TypeNodesListTheirTypes)
{
    fixture.add({Dated(1, 0, 3, 1, QStringLiteral("祝"), 12), Equinox(3, QStringLiteral("春分")),
                 Dated(0, 0, 3, 1, QStringLiteral("普通"), 9),
                 Dated(2, 0, 3, 1, QStringLiteral("誕生"), 9)});
    const auto texts = [&](int filter) {
        QStringList all;
        for (const ListRow& row : list(2026, 3, filter).rows) {
            if (!row.key.isEmpty())
                all << row.text(3);
        }
        return all;
    };
    EXPECT_EQ(texts(1), (QStringList{QStringLiteral("祝"), QStringLiteral("春分")}));
    EXPECT_EQ(texts(2), QStringList{QStringLiteral("誕生")});
    EXPECT_EQ(texts(0), QStringList{QStringLiteral("普通")});
    EXPECT_EQ(texts(-1).size(), 4);
}

// --- The same records as the stored filter finds ---------------------------

// The viewer's day filter as the data file has always been searched with.
QString ViewerDayFilter(QDate date, int typeFilter)
{
    const QString y = QString::number(date.year());
    const QString m = QString::number(date.month());
    QString filter =
        QStringLiteral("(([Year] = ") + y + QStringLiteral(" Or [Year] = 0) and ([Month] = ") + m +
        QStringLiteral(" Or [Month] = 0) and ([Day] = ") + QString::number(date.day()) +
        QStringLiteral(" Or ([DayOfTheWeek] = ") + QString::number(WeekdayNumber(date)) +
        QStringLiteral(" and ([Week] = 0 or [Week] = ") + QString::number(GetWeekOfMonth(date)) +
        QStringLiteral("))) Or ([Type] = 10 and [Month] = ") + m + QStringLiteral("))");
    if (typeFilter == 1)
        filter += QStringLiteral(" and (([Type] = 1) or [Type] = 10)");
    else if (typeFilter != -1)
        filter +=
            QStringLiteral(" and ([Type] = ") + QString::number(typeFilter) + QLatin1Char(')');
    return filter;
}

TEST_F(MonthListTest, ListsExactlyWhatTheDayFilterFinds)
{
    // Nulls in every rule field, every-year / every-month / n-th weekday.
    fixture.add({Rec{0, {}, 12, 8, -1, -1, 9, QStringLiteral("null year"), {}},
                 Rec{0, 2026, {}, 8, -1, -1, 9, QStringLiteral("null month"), {}},
                 Rec{0, 0, 0, {}, {}, 3, 9, QStringLiteral("null week"), {}},
                 Rec{0, 0, 0, {}, 0, {}, 9, QStringLiteral("null weekday"), {}},
                 Rec{{}, 0, 12, 8, -1, -1, 9, QStringLiteral("null type"), {}},
                 Rec{1, 0, 12, 8, -1, -1, {}, QStringLiteral("null colour"), {}},
                 Weekday(0, 0, 0, 0, 3, QStringLiteral("毎週火曜"), 9),
                 Weekday(4, 2026, 0, 5, 5, QStringLiteral("第5木曜"), 9),
                 Weekday(0, 0, 12, 2, 3, QStringLiteral("第2火曜"), 9),
                 Dated(0, 2025, 12, 8, QStringLiteral("昨年"), 9),
                 Dated(0, 0, 11, 8, QStringLiteral("11月"), 9),
                 Dated(5, 0, 0, 31, QStringLiteral("31日"), 9),
                 Rec{10, 2026, 12, {}, {}, {}, 12, QStringLiteral("冬至もどき"), {}},
                 Equinox(9, QStringLiteral("秋分"))});
    for (int filter : {-1, 0, 1, 4, 5}) {
        const ListModel model = list(2026, 12, filter);
        for (int day = 1; day <= 31; ++day) {
            const QDate date(2026, 12, day);
            QStringList expected;
            Recordset& rs = fixture.schedules();
            const QString f = ViewerDayFilter(date, filter);
            for (rs.FindFirst(f); !rs.NoMatch(); rs.FindNext(f)) {
                if (EquinoxCheck(
                        rs.GetValue(schedule_fields::Type).isNull()
                            ? std::nullopt
                            : std::optional<int>(rs.GetValue(schedule_fields::Type).toInt()),
                        date))
                    expected << QString::number(rs.AbsolutePosition());
            }
            QStringList listed;
            for (const ListRow& row : model.rows) {
                if (row.day == day && !row.key.isEmpty())
                    listed << QString::number(*RowKeyPosition(row.key));
            }
            EXPECT_EQ(listed, expected) << "day " << day << " filter " << filter;
        }
    }
}

// The list and the day search both hold each rule to its first, last and
// skipped days: they agree day by day, holidays and their substitutes too.
TEST_F(MonthListTest, BoundedRulesListExactlyWhatTheDaySearchFinds)
{
    fixture.add(Weekday(0, 0, 0, 0, 3, QStringLiteral("火曜 8日から"), 9));
    fixture.boundLast(QDate(2026, 12, 8), QDate());
    fixture.add(Weekday(0, 0, 0, 0, 3, QStringLiteral("火曜 22日まで、15日なし"), 9));
    fixture.boundLast(QDate(), QDate(2026, 12, 22), {QDate(2026, 12, 15)});
    fixture.add(Dated(0, 0, 0, 31, QStringLiteral("31日 来年から"), 9));
    fixture.boundLast(QDate(2027, 1, 1), QDate());
    // 3 May 2026 is a Sunday: skipped, it makes no substitute day.
    fixture.add(kConstitution);
    fixture.boundLast(QDate(), QDate(), {QDate(2026, 5, 3)});
    fixture.add(Equinox(9, QStringLiteral("秋分")));
    fixture.boundLast(QDate(), QDate(2025, 12, 31));
    for (const QDate& month :
         {QDate(2026, 5, 1), QDate(2026, 9, 1), QDate(2026, 12, 1), QDate(2027, 1, 1)}) {
        const ListModel model = list(month.year(), month.month());
        EXPECT_TRUE(SubstituteDays(model).empty()) << month.toString(Qt::ISODate).toStdString();
        for (int day = 1; day <= month.daysInMonth(); ++day) {
            const QDate date(month.year(), month.month(), day);
            QStringList expected;
            for (int position : FindSchedulesOn(fixture.schedules(), date))
                expected << QString::number(position);
            QStringList listed;
            for (const ListRow& row : model.rows) {
                if (row.day == day && !row.key.isEmpty())
                    listed << QString::number(*RowKeyPosition(row.key));
            }
            EXPECT_EQ(listed, expected) << date.toString(Qt::ISODate).toStdString();
        }
    }
    EXPECT_EQ(TextsOfDay(list(2026, 12), 15), QStringList{QStringLiteral("火曜 8日から")});
}

// A book of every kind of rule, pseudo-randomly mixed: a day number, a
// weekday of every or of the n-th week, both at once, Null fields, every
// year or month, equinox holidays, bounds and skipped days, alarms. The list
// is compared row by row with the day search run day by day: the same
// records in the same order, each row with its record's key, id and texts,
// and one row per day carrying the day's number.
TEST_F(MonthListTest, RowsMatchTheDaySearchRowByRow)
{
    unsigned seed = 12345;
    const auto next = [&seed](int n) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 16) % unsigned(n));
    };
    const auto maybe = [&](int n, int value) {
        return next(n) == 0 ? std::optional<int>() : std::optional<int>(value);
    };
    const int types[] = {0, 0, 0, 1, 4, 5, 10};
    for (int i = 0; i < 160; ++i) {
        Rec rec;
        rec.type = types[next(7)];
        rec.year = maybe(20, std::array{0, 2026, 2028, 2025}[std::size_t(next(4))]);
        rec.month = maybe(20, std::array{0, 0, 9, 12, 2}[std::size_t(next(5))]);
        const int shape = next(4);
        rec.day = shape == 1 ? -1 : 1 + next(31);
        rec.week = shape == 0 ? -1 : next(6);
        rec.dayOfTheWeek = shape == 0 ? maybe(10, -1) : maybe(30, 1 + next(7));
        rec.color = maybe(10, next(16));
        rec.message = QStringLiteral("予定 %1").arg(i);
        if (next(5) == 0)
            rec.alarm = QStringLiteral("%1:00").arg(next(24));
        fixture.add(rec);
        if (next(6) == 0) {
            const QDate from(2026, 9, 1 + next(28));
            fixture.boundLast(next(2) ? from : QDate(), next(2) ? from.addDays(60) : QDate(),
                              {from.addDays(next(30)), QDate(2026, 12, 1 + next(31))});
        }
    }

    Recordset& rs = fixture.schedules();
    for (const QDate& month : {QDate(2026, 9, 1), QDate(2026, 12, 1), QDate(2028, 2, 1)}) {
        const ListModel model = list(month.year(), month.month());
        QStringList listed;
        QStringList dayNumbers;
        int lastDay = 0;
        for (const ListRow& row : model.rows) {
            EXPECT_GE(row.day, lastDay);
            if (row.day != lastDay)
                dayNumbers << row.text(0);
            else
                EXPECT_TRUE(row.text(0).isEmpty()) << row.day;
            lastDay = row.day;
            if (!row.key.isEmpty())
                listed << QStringLiteral("%1 %2 %3 %4 %5")
                              .arg(row.day)
                              .arg(row.key)
                              .arg(row.recordId)
                              .arg(row.text(3), row.text(4));
        }
        QStringList expected;
        QStringList days;
        int count = 0;
        for (int day = 1; day <= month.daysInMonth(); ++day) {
            days << QString::number(day);
            for (int position : FindSchedulesOn(rs, QDate(month.year(), month.month(), day))) {
                rs.SetAbsolutePosition(position);
                const QString alarm = rs.GetValue(schedule_fields::Alarm).toString();
                expected << QStringLiteral("%1 %2 %3 %4 %5")
                                .arg(day)
                                .arg(MakeRowKey(position, count++))
                                .arg(rs.RecordId())
                                .arg(rs.GetValue(schedule_fields::Message).toString(), alarm);
            }
        }
        const std::string name = month.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(listed, expected) << name;
        EXPECT_EQ(dayNumbers, days) << name;
        EXPECT_EQ(model.count, count) << name;
    }
}

} // namespace
} // namespace morvane
