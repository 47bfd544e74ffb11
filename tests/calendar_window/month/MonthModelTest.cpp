#include "calendar_window/month/MonthModel.h"

#include "ScheduleFixture.h"
#include "calendar_window/month/MonthCriteria.h"
#include "core/Settings.h"

#include <QColor>
#include <gtest/gtest.h>

namespace morvane {
namespace {

using test::Dated;
using test::Rec;
using test::ScheduleFixture;
using test::Weekly;

const QColor kSunday(250, 10, 10);
const QColor kSaturday(10, 10, 250);
const QColor kWeekday(240, 240, 240);
const QColor kRed(255, 0, 0);       // palette 12
const QColor kMagenta(255, 0, 255); // palette 13
const QColor kLightBlue(0, 0, 255); // palette 9
const QColor kYellow(255, 255, 0);  // palette 14
const QColor kDarkBlue(0, 0, 128);  // palette 1
const QColor kBlack(0, 0, 0);       // palette 0

constexpr int Holiday = 1;
constexpr int Ordinary = 0;
constexpr int Equinox = 10;

Settings TestSettings()
{
    Settings settings;
    settings.SundayColor = RgbValue(250, 10, 10);
    settings.SaturdayColor = RgbValue(10, 10, 250);
    settings.WeekdaysColor = RgbValue(240, 240, 240);
    return settings;
}

// Noon of a day far from every month the tests draw, unless a test needs
// "today".
const QDateTime kElsewhere(QDate(2001, 1, 15), QTime(12, 0));

MonthModel Build(QDate month, Recordset* schedules, const QDateTime& now = kElsewhere,
                 const Settings& settings = TestSettings())
{
    return BuildMonthModel(month, settings, schedules, now, StandardMarkSymbols());
}

const DayCell& CellOfDayIn(const MonthModel& model, int day)
{
    const int cell = CellOfDay(model.firstDay, day);
    EXPECT_NE(cell, 0) << "day " << day;
    return model.cells[static_cast<std::size_t>(cell)];
}

QColor WeekdayColourOf(QDate date)
{
    const int weekday = date.dayOfWeek() % 7 + 1;
    return weekday == 1 ? kSunday : weekday == 7 ? kSaturday : kWeekday;
}

// --- Grid ---------------------------------------------------------------

struct Placement
{
    QDate month;
    int days;
    int firstCell; // cell of day 1
    int lastCell;  // cell of the last day
};

class GridPlacement : public ::testing::TestWithParam<Placement>
{
};

TEST_P(GridPlacement, DaysFillTheirCellsAndNothingElse)
{
    const Placement p = GetParam();
    const MonthModel model = Build(p.month, nullptr);
    EXPECT_EQ(model.daysInMonth, p.days);
    for (int cell = 1; cell <= LastCell; ++cell) {
        const auto& c = model.cells[static_cast<std::size_t>(cell)];
        if (cell >= p.firstCell && cell <= p.lastCell) {
            EXPECT_EQ(c.day, cell - p.firstCell + 1) << "cell " << cell;
        } else {
            EXPECT_FALSE(c.day.has_value()) << "cell " << cell;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Months, GridPlacement,
    ::testing::Values(
        // February 2026 begins on a Sunday: four full rows, rows 5 and 6 empty.
        Placement{QDate(2026, 2, 1), 28, 8, 35},
        // November 2025 begins on a Saturday.
        Placement{QDate(2025, 11, 1), 30, 14, 43},
        // A 31-day month from a Saturday ends in cell 44 (sixth row).
        Placement{QDate(2026, 8, 1), 31, 14, 44},
        // A 31-day month from a Friday uses row 6 from cell 43.
        Placement{QDate(2026, 5, 1), 31, 13, 43},
        // Leap February from a Thursday.
        Placement{QDate(2024, 2, 1), 29, 12, 40}));

TEST(CalcDaysInMonth, LeapYearsFollowTheGregorianRule)
{
    const struct
    {
        int year;
        int days;
    } februaries[] = {{2000, 29}, {2024, 29}, {1900, 28}, {2023, 28}, {2100, 28}};
    for (const auto& feb : februaries)
        EXPECT_EQ(CalcDaysInMonth(QDate(feb.year, 2, 1)), feb.days) << feb.year;
    EXPECT_EQ(CalcDaysInMonth(QDate(2026, 4, 1)), 30);
    EXPECT_EQ(CalcDaysInMonth(QDate(2026, 12, 1)), 31);
}

TEST(MonthGrid, PointersAndWeekdayColours)
{
    // May 2026: day 1 on a Friday (cell 13), day 31 in cell 43.
    const MonthModel model = Build(QDate(2026, 5, 1), nullptr);
    EXPECT_EQ(model.cells[0].pointer, CustomPointer); // the title
    for (int cell = 1; cell <= 7; ++cell)
        EXPECT_EQ(model.cells[static_cast<std::size_t>(cell)].pointer, DefaultPointer);
    // Blank cells before day 1 keep the hand; those after the last day do not.
    for (int cell = 8; cell <= 12; ++cell)
        EXPECT_EQ(model.cells[static_cast<std::size_t>(cell)].pointer, CustomPointer) << cell;
    for (int cell = 13; cell <= 43; ++cell)
        EXPECT_EQ(model.cells[static_cast<std::size_t>(cell)].pointer, CustomPointer) << cell;
    for (int cell = 44; cell <= 49; ++cell)
        EXPECT_EQ(model.cells[static_cast<std::size_t>(cell)].pointer, DefaultPointer) << cell;

    for (int cell = 1; cell <= LastCell; ++cell) {
        const int column = (cell - 1) % 7 + 1;
        const QColor expected = column == 1 ? kSunday : column == 7 ? kSaturday : kWeekday;
        EXPECT_EQ(model.cells[static_cast<std::size_t>(cell)].textColor, expected) << cell;
        EXPECT_TRUE(model.cells[static_cast<std::size_t>(cell)].markGlyph.isEmpty());
    }
}

TEST(CellHelpers, DayAndCellAgree)
{
    const QDate may(2026, 5, 1);
    EXPECT_EQ(CellOfDay(may, 1), 13);
    EXPECT_EQ(CellOfDay(may, 31), 43);
    EXPECT_EQ(CellOfDay(may, 32), 0);
    EXPECT_EQ(DayInCell(may, 13), 1);
    EXPECT_EQ(DayInCell(may, 12), std::nullopt);
    EXPECT_EQ(DayInCell(may, 44), std::nullopt);
    EXPECT_EQ(DayInCell(may, 3), std::nullopt); // header
}

// --- Schedules ------------------------------------------------------------

TEST(MonthCriteria, KeepsTheStoredSpelling)
{
    EXPECT_EQ(MonthScheduleFilter(2026, 5),
              QStringLiteral("([Year] =  2026Or [Year] = 0) and ([Month] =  5Or [Month] = 0)"));
}

// What one day of May 2026 should show after the records are drawn.
struct DayExpectation
{
    int day;
    QColor text;
    QString glyph;
    QColor glyphColour = {};
};

struct RecordsCase
{
    const char* name;
    QDate month;
    std::vector<Rec> records;
    std::vector<DayExpectation> expected;
    // Days that must show their plain weekday colour and no glyph.
    std::vector<int> untouched;
};

class RecordsDrawn : public ::testing::TestWithParam<RecordsCase>
{
};

TEST_P(RecordsDrawn, CellsShowMarksAndColours)
{
    const RecordsCase& c = GetParam();
    ScheduleFixture fixture;
    for (const Rec& rec : c.records)
        fixture.add(rec);
    QString error;
    const MonthModel model = BuildMonthModel(c.month, TestSettings(), &fixture.schedules(),
                                             kElsewhere, StandardMarkSymbols(), &error);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    for (const DayExpectation& e : c.expected) {
        const DayCell& cell = CellOfDayIn(model, e.day);
        EXPECT_EQ(cell.textColor, e.text) << "day " << e.day;
        EXPECT_EQ(cell.markGlyph, e.glyph) << "day " << e.day;
        if (!e.glyph.isEmpty()) {
            EXPECT_EQ(cell.markColor, e.glyphColour) << "day " << e.day;
        }
    }
    for (const int day : c.untouched) {
        const DayCell& cell = CellOfDayIn(model, day);
        EXPECT_EQ(cell.textColor, WeekdayColourOf(QDate(c.month.year(), c.month.month(), day)))
            << "day " << day;
        EXPECT_TRUE(cell.markGlyph.isEmpty()) << "day " << day;
    }
}

const QDate kMay2026(2026, 5, 1);

INSTANTIATE_TEST_SUITE_P(
    Cases, RecordsDrawn,
    ::testing::Values(
        RecordsCase{"MarkDrawsTheGlyphInTheRecordColour",
                    kMay2026,
                    {Dated(Ordinary, 2026, 5, 15, 12, 0)},
                    {{15, kWeekday, QStringLiteral(u"●"), kRed}},
                    {14, 16}},
        RecordsCase{"LastMarkCodeIsTheLastGlyph",
                    kMay2026,
                    {Dated(Ordinary, 0, 5, 15, 9, 14)},
                    {{15, kWeekday, QStringLiteral(u"〓"), kLightBlue}},
                    {}},
        RecordsCase{"NullMarkColoursTheDayNumber",
                    kMay2026,
                    {Dated(Ordinary, 2026, 5, 15, 13)},
                    {{15, kMagenta, QString()}},
                    {14, 16}},
        RecordsCase{"ColourZeroDrawsNothing",
                    kMay2026,
                    {Dated(Ordinary, 2026, 5, 15, 0, 0), Dated(Ordinary, 2026, 5, 16, 0)},
                    {},
                    {15, 16}},
        RecordsCase{
            "MarkMinusOneShowsNothing", kMay2026, {Dated(Ordinary, 2026, 5, 15, 12, -1)}, {}, {15}},
        RecordsCase{"CodesOutsideTheTablesDrawNothing",
                    kMay2026,
                    {Dated(Ordinary, 2026, 5, 15, 16, 0), Dated(Ordinary, 2026, 5, 16, 12, 15)},
                    {},
                    {15, 16}},
        RecordsCase{"LaterRecordOfTheSameDayWins",
                    kMay2026,
                    {Dated(Ordinary, 2026, 5, 15, 12, 0), Dated(Ordinary, 0, 0, 15, 9, 5)},
                    {{15, kWeekday, QStringLiteral(u"★"), kLightBlue}},
                    {}},
        RecordsCase{"OtherYearsAndMonthsAreNotShown",
                    kMay2026,
                    {Dated(Ordinary, 2025, 5, 15, 12, 0), Dated(Ordinary, 2026, 6, 16, 12, 0)},
                    {},
                    {15, 16}},
        // Sundays of May 2026: 3, 10, 17, 24 and 31, the last in row 6.
        RecordsCase{"EveryWeekMarksEachWeekdayIncludingRowSix",
                    kMay2026,
                    {Weekly(Ordinary, 0, 0, 0, 1, 14, 3)},
                    {{3, kSunday, QStringLiteral(u"▲"), kYellow},
                     {10, kSunday, QStringLiteral(u"▲"), kYellow},
                     {17, kSunday, QStringLiteral(u"▲"), kYellow},
                     {24, kSunday, QStringLiteral(u"▲"), kYellow},
                     {31, kSunday, QStringLiteral(u"▲"), kYellow}},
                    {1, 2, 4, 30}},
        RecordsCase{"NthWeekdayMarksOnlyThatDay",
                    kMay2026,
                    {Weekly(Ordinary, 0, 5, 2, 1, 12)},
                    {{10, kRed, QString()}},
                    {3, 17}},
        // 31 May 2026 is the fifth Sunday of its month.
        RecordsCase{"FifthWeekdayPresentIsMarked",
                    kMay2026,
                    {Weekly(Ordinary, 0, 0, 5, 1, 12, 0)},
                    {{31, kSunday, QStringLiteral(u"●"), kRed}},
                    {3, 24, 30}},
        // February 2026 has four Fridays only.
        RecordsCase{"FifthFridayMissingMarksNothing",
                    QDate(2026, 2, 1),
                    {Weekly(Ordinary, 0, 0, 5, 6, 12, 0)},
                    {},
                    {6, 13, 20, 27}},
        RecordsCase{"DayThirtyOneInAThirtyDayMonthMarksNothing",
                    QDate(2026, 4, 1),
                    {Dated(Ordinary, 0, 0, 31, 12, 0)},
                    {},
                    {30}},
        RecordsCase{"DayThirtyOneInALongMonth",
                    kMay2026,
                    {Dated(Ordinary, 0, 0, 31, 12, 0)},
                    {{31, kSunday, QStringLiteral(u"●"), kRed}},
                    {30}}),
    [](const auto& info) { return std::string(info.param.name); });

// Sundays of May 2026: 3, 10, 17, 24 and 31.
TEST(Bounds, ARuleIsDrawnFromItsFirstToItsLastDayExceptSkippedDays)
{
    ScheduleFixture fixture;
    fixture.add(Weekly(Ordinary, 0, 0, 0, 1, 14, 3));
    fixture.boundLast(QDate(2026, 5, 10), QDate(2026, 5, 24), {QDate(2026, 5, 17)});
    fixture.add(Dated(Ordinary, 0, 0, 5, 12));
    fixture.boundLast(QDate(), QDate(2026, 4, 30));
    fixture.add(Dated(Ordinary, 0, 0, 6, 12));
    fixture.boundLast(QDate(2026, 5, 6), QDate());
    const MonthModel model = Build(kMay2026, &fixture.schedules());
    for (const int day : {10, 24})
        EXPECT_EQ(CellOfDayIn(model, day).markGlyph, QStringLiteral(u"▲")) << day;
    for (const int day : {3, 17, 31})
        EXPECT_TRUE(CellOfDayIn(model, day).markGlyph.isEmpty()) << day;
    EXPECT_EQ(CellOfDayIn(model, 5).textColor, kWeekday);
    EXPECT_EQ(CellOfDayIn(model, 6).textColor, kRed);
}

// A skipped holiday is no holiday: no substitute day, no day between.
TEST(Bounds, ASkippedHolidayMovesNothing)
{
    // 11 February 2024 is a Sunday; 3, 4 and 5 May 2026 Sunday to Tuesday.
    ScheduleFixture fixture;
    fixture.add(Dated(Holiday, 0, 2, 11, 12, {}, QStringLiteral(u"建国記念の日")));
    fixture.boundLast(QDate(), QDate(), {QDate(2024, 2, 11)});
    fixture.add({Dated(Holiday, 0, 5, 3, 12), Dated(Holiday, 0, 5, 5, 12)});
    fixture.boundLast(QDate(2027, 1, 1), QDate());
    const MonthModel february = Build(QDate(2024, 2, 1), &fixture.schedules());
    EXPECT_EQ(CellOfDayIn(february, 11).textColor, kSunday);
    EXPECT_EQ(CellOfDayIn(february, 12).textColor, kWeekday);
    const MonthModel may = Build(kMay2026, &fixture.schedules());
    EXPECT_EQ(CellOfDayIn(may, 3).textColor, kRed);
    EXPECT_EQ(CellOfDayIn(may, 4).textColor, kRed); // the Sunday's rest
    EXPECT_EQ(CellOfDayIn(may, 5).textColor, kWeekday);
    EXPECT_EQ(CellOfDayIn(may, 6).textColor, kWeekday);
}

// --- Holidays ------------------------------------------------------------

TEST(Holidays, SundayHolidayColoursTheMonday)
{
    // 11 February 2024 is a Sunday.
    ScheduleFixture fixture;
    fixture.add(Dated(Holiday, 0, 2, 11, 12, {}, QStringLiteral(u"建国記念の日")));
    const MonthModel model = Build(QDate(2024, 2, 1), &fixture.schedules());
    EXPECT_EQ(CellOfDayIn(model, 11).textColor, kRed);
    EXPECT_EQ(CellOfDayIn(model, 12).textColor, kRed);
    EXPECT_EQ(CellOfDayIn(model, 13).textColor, kWeekday);
}

TEST(Holidays, GoldenWeekFromASundayColoursTheWednesday)
{
    // 3, 4 and 5 May 2026 are Sunday to Tuesday.
    ScheduleFixture fixture;
    fixture.add({Dated(Holiday, 0, 5, 3, 12, {}, QStringLiteral(u"憲法記念日")),
                 Dated(Holiday, 0, 5, 4, 12, {}, QStringLiteral(u"みどりの日")),
                 Dated(Holiday, 0, 5, 5, 12, {}, QStringLiteral(u"こどもの日"))});
    const MonthModel model = Build(kMay2026, &fixture.schedules());
    for (const int day : {3, 4, 5, 6})
        EXPECT_EQ(CellOfDayIn(model, day).textColor, kRed) << day;
    EXPECT_EQ(CellOfDayIn(model, 7).textColor, kWeekday);
    EXPECT_EQ(CellOfDayIn(model, 2).textColor, kSaturday);
}

TEST(Holidays, RunTakesTheColourOfItsLastHolidayUnlessDarkBlue)
{
    ScheduleFixture fixture;
    fixture.add({Dated(Holiday, 0, 5, 3, 12), Dated(Holiday, 0, 5, 4, 13)});
    const MonthModel model = Build(kMay2026, &fixture.schedules());
    EXPECT_EQ(CellOfDayIn(model, 5).textColor, kMagenta);

    ScheduleFixture darkBlue;
    darkBlue.add({Dated(Holiday, 0, 5, 10, 1)});
    const MonthModel plain = Build(kMay2026, &darkBlue.schedules());
    EXPECT_EQ(CellOfDayIn(plain, 10).textColor, kDarkBlue);
    // The single-holiday rule still applies; only the run rule skips colour 1.
    EXPECT_EQ(CellOfDayIn(plain, 11).textColor, kDarkBlue);
}

TEST(Holidays, HolidayBetweenTwoHolidaysKeepsItsOwnColour)
{
    // 12 to 14 May 2026 are Tuesday to Thursday; only a plain day between two
    // holidays takes the colour of the one before it.
    ScheduleFixture fixture;
    fixture.add(
        {Dated(Holiday, 0, 5, 12, 12), Dated(Holiday, 0, 5, 13, 13), Dated(Holiday, 0, 5, 14, 12)});
    const MonthModel model = Build(kMay2026, &fixture.schedules());
    EXPECT_EQ(CellOfDayIn(model, 12).textColor, kRed);
    EXPECT_EQ(CellOfDayIn(model, 13).textColor, kMagenta);
    EXPECT_EQ(CellOfDayIn(model, 14).textColor, kRed);
    EXPECT_EQ(CellOfDayIn(model, 15).textColor, kWeekday);
}

TEST(Holidays, DarkBlueRunFromASundayColoursNoSubstituteDay)
{
    // 3 and 4 May 2026 are a Sunday and a Monday, both in colour 1: the run
    // rule gives no substitute day, so the Tuesday stays a plain day.
    ScheduleFixture fixture;
    fixture.add({Dated(Holiday, 0, 5, 3, 1), Dated(Holiday, 0, 5, 4, 1)});
    const MonthModel model = Build(kMay2026, &fixture.schedules());
    EXPECT_EQ(CellOfDayIn(model, 3).textColor, kDarkBlue);
    EXPECT_EQ(CellOfDayIn(model, 4).textColor, kDarkBlue);
    EXPECT_EQ(CellOfDayIn(model, 5).textColor, kWeekday);
}

TEST(Holidays, OneOffHolidayOfAnotherYearMovesNothing)
{
    // A holiday for 3 May 2020 only is not a holiday of 2026.
    ScheduleFixture fixture;
    fixture.add(Dated(Holiday, 2020, 5, 3, 12));
    const MonthModel model = Build(kMay2026, &fixture.schedules());
    EXPECT_EQ(CellOfDayIn(model, 3).textColor, kSunday);
    EXPECT_EQ(CellOfDayIn(model, 4).textColor, kWeekday);
}

TEST(Holidays, SeptemberSilverWeekColoursTheDayBetween)
{
    // 2026: 21 September is the third Monday, the equinox falls on the 23rd.
    ScheduleFixture fixture;
    fixture.add({Weekly(Holiday, 0, 9, 3, 2, 12),
                 Rec{Equinox, 0, 9, {}, {}, {}, 13, {}, QStringLiteral(u"秋分の日")}});
    const MonthModel model = Build(QDate(2026, 9, 1), &fixture.schedules());
    EXPECT_EQ(CellOfDayIn(model, 21).textColor, kRed);
    EXPECT_EQ(CellOfDayIn(model, 23).textColor, kMagenta);
    // The day between takes the colour of the holiday before it.
    EXPECT_EQ(CellOfDayIn(model, 22).textColor, kRed);
    EXPECT_EQ(CellOfDayIn(model, 24).textColor, kWeekday);
}

TEST(Holidays, EquinoxOnASundayColoursTheMonday)
{
    // GetEquinoxDay(2024, 9) is 22, a Sunday.
    ScheduleFixture fixture;
    fixture.add(Rec{Equinox, 0, 9, {}, {}, {}, 12, {}, QStringLiteral(u"秋分の日")});
    const MonthModel model = Build(QDate(2024, 9, 1), &fixture.schedules());
    EXPECT_EQ(CellOfDayIn(model, 22).textColor, kRed);
    EXPECT_EQ(CellOfDayIn(model, 23).textColor, kRed);
    EXPECT_EQ(CellOfDayIn(model, 21).textColor, kSaturday);
}

TEST(Holidays, EquinoxTextIsStoredAsComputedDay)
{
    ScheduleFixture fixture;
    fixture.add({Dated(Holiday, 0, 3, 21, 12, {}, QStringLiteral(u"春分の日")),
                 Dated(Holiday, 0, 9, 23, 12, {}, QStringLiteral(u"秋分の日です")),
                 Dated(Holiday, 0, 3, 5, 12, {}, QStringLiteral(u"秋分の日")),
                 Dated(Ordinary, 0, 4, 1, 12, {}, QStringLiteral(u"春分の日"))});
    // Drawing February finds none of them: nothing changes.
    Build(QDate(2026, 2, 1), &fixture.schedules());
    EXPECT_EQ(fixture.typeAt(0), Holiday);

    // The first March drawing converts the March record only, and shows it
    // on the day of the drawing's own pass (21, its stored day) ...
    MonthModel march = Build(QDate(2026, 3, 1), &fixture.schedules());
    EXPECT_EQ(fixture.typeAt(0), Equinox);
    EXPECT_EQ(fixture.typeAt(2), Holiday); // 秋分の日 in March is no equinox
    EXPECT_EQ(fixture.typeAt(3), Ordinary);

    // ... from then on it falls on the computed day: 20 March 2026, and
    // 21 March 2027, a Sunday whose Monday rests.
    march = Build(QDate(2026, 3, 1), &fixture.schedules());
    EXPECT_EQ(CellOfDayIn(march, 20).textColor, kRed);
    EXPECT_EQ(CellOfDayIn(march, 21).textColor, kSaturday);
    const MonthModel march2027 = Build(QDate(2027, 3, 1), &fixture.schedules());
    EXPECT_EQ(CellOfDayIn(march2027, 21).textColor, kRed);
    EXPECT_EQ(CellOfDayIn(march2027, 22).textColor, kRed);

    Build(QDate(2026, 9, 1), &fixture.schedules());
    EXPECT_EQ(fixture.typeAt(1), Equinox); // only the first four characters count
}

// --- Title and cursor -------------------------------------------------------

TEST(Title, FormatsAtAFixedClock)
{
    const QDate may(2024, 5, 1);
    const QDateTime now(QDate(2024, 5, 3), QTime(13, 5, 7));
    const struct
    {
        int type;
        const char16_t* text;
        bool clock;
    } formats[] = {
        {0, u"2024年5月", false},    {1, u"2024/05", false},    {2, u"2024/5月", false},
        {3, u"令和6年5月", false},   {4, u"R6年5月", false},    {5, u"5月", false},
        {6, u"24年5月 13:05", true}, {7, u"5月 13:05", true},   {8, u"13:05", true},
        {9, u"PM 01:05", true},      {10, u"午後 01:05", true},
    };
    for (const auto& f : formats) {
        EXPECT_EQ(TitleText(f.type, may, now), QString::fromUtf16(f.text)) << f.type;
        EXPECT_EQ(TitleHasClock(f.type), f.clock) << f.type;
        Settings settings = TestSettings();
        settings.TitleType = static_cast<qint16>(f.type);
        const MonthModel model = Build(may, nullptr, now, settings);
        EXPECT_EQ(model.title, QString::fromUtf16(f.text)) << f.type;
        EXPECT_EQ(model.titleClockRunning, f.clock) << f.type;
    }
    // The era follows the displayed month, not today.
    EXPECT_EQ(TitleText(3, QDate(2019, 4, 1), now), QStringLiteral(u"平成31年4月"));
    EXPECT_EQ(TitleText(3, QDate(2019, 5, 1), now), QStringLiteral(u"令和1年5月"));
}

TEST(Title, OutOfRangeTypesDrawAsTypeZero)
{
    const QDateTime now(QDate(2024, 5, 3), QTime(13, 5));
    for (const int type : {11, -1, 100}) {
        Settings settings = TestSettings();
        settings.TitleType = static_cast<qint16>(type);
        const MonthModel model = Build(QDate(2024, 5, 1), nullptr, now, settings);
        EXPECT_EQ(model.title, QStringLiteral(u"2024年5月")) << type;
        EXPECT_FALSE(model.titleClockRunning);
    }
}

TEST(Cursor, OnlyInTheCurrentMonth)
{
    const QDateTime now(QDate(2026, 5, 20), QTime(9, 0));
    const MonthModel current = Build(kMay2026, nullptr, now);
    int cursors = 0;
    for (int cell = 1; cell <= LastCell; ++cell)
        cursors += current.cells[static_cast<std::size_t>(cell)].cursor ? 1 : 0;
    EXPECT_EQ(cursors, 1);
    EXPECT_TRUE(CellOfDayIn(current, 20).cursor);

    for (const QDate other : {QDate(2026, 4, 1), QDate(2025, 5, 1), QDate(2026, 6, 1)}) {
        const MonthModel model = Build(other, nullptr, now);
        for (int cell = 1; cell <= LastCell; ++cell)
            EXPECT_FALSE(model.cells[static_cast<std::size_t>(cell)].cursor)
                << other.toString(Qt::ISODate).toStdString() << " cell " << cell;
    }
}

} // namespace
} // namespace morvane
