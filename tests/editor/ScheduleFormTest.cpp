#include "editor/ScheduleForm.h"

#include "data/records/RuleLabel.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

const QDate kTuesday(2026, 12, 8); // the second Tuesday of December 2026

struct EncodingCase
{
    const char* name;
    int yearChoice, monthChoice, dayChoice;
    RuleFields fields;
    const char16_t* label;
};

void PrintTo(const EncodingCase& c, std::ostream* out)
{
    *out << c.name;
}

class RuleEncoding : public ::testing::TestWithParam<EncodingCase>
{
};

TEST_P(RuleEncoding, WritesTheFieldsAndPreviewsTheLabel)
{
    const EncodingCase& c = GetParam();
    EXPECT_EQ(EncodeRule(c.yearChoice, c.monthChoice, c.dayChoice, kTuesday), c.fields);
    EXPECT_EQ(RulePreviewLabel(c.yearChoice, c.monthChoice, c.dayChoice, kTuesday),
              QString::fromUtf16(c.label));
}

INSTANTIATE_TEST_SUITE_P(
    Tuesday8December2026, RuleEncoding,
    ::testing::Values(
        EncodingCase{"OneDate", 0, 0, 0, {2026, 12, 8, -1, -1}, u"2026年12月8日"},
        EncodingCase{"NthWeekday", 0, 0, 1, {2026, 12, -1, 2, 3}, u"2026年12月第2週火曜日"},
        EncodingCase{"EveryWeekOfTheMonth", 0, 0, 2, {2026, 12, -1, 0, 3}, u"2026年12月毎週火曜日"},
        EncodingCase{"EveryYear", 1, 0, 0, {0, 12, 8, -1, -1}, u"毎年12月8日"},
        EncodingCase{"EveryMonth", 1, 1, 0, {0, 0, 8, -1, -1}, u"毎月8日"},
        EncodingCase{"EveryTuesday", 1, 1, 2, {0, 0, -1, 0, 3}, u"毎週火曜日"}));

TEST(RuleChoices, NameTheShownDay)
{
    const RuleChoices choices = RuleChoicesFor(kTuesday);
    EXPECT_EQ(choices.years, QStringList({QStringLiteral("2026年"), QStringLiteral("毎年")}));
    EXPECT_EQ(choices.months, QStringList({QStringLiteral("12月"), QStringLiteral("毎月")}));
    EXPECT_EQ(choices.days, QStringList({QStringLiteral("8日"), QStringLiteral("第2週火曜日"),
                                         QStringLiteral("毎週火曜日")}));
}

// Every example the day editor's list is known by, through the one routine
// the other lists share.
TEST(MakeDateLabel, Examples)
{
    struct Case
    {
        int y, m, d, w, dow;
        const char16_t* label;
    };
    const Case cases[] = {
        {2026, 12, 8, 0, 0, u"2026年12月8日"},   {0, 3, 5, 0, 0, u"毎年3月5日"},
        {0, 5, 5, 0, 0, u"毎年5月5日"},          {0, 0, 15, 0, 0, u"毎月15日"},
        {2026, 0, 15, 0, 0, u"2026年毎月15日"},  {0, 0, -1, 0, 2, u"毎週月曜日"},
        {0, 5, -1, 2, 1, u"毎年5月第2週日曜日"}, {2026, 12, -1, 0, 3, u"2026年12月毎週火曜日"},
        {0, 1, -1, 2, 2, u"毎年1月第2週月曜日"}, {0, 0, -1, 3, 6, u"毎月第3週金曜日"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MakeDateLabel(c.y, c.m, c.d, c.w, c.dow), QString::fromUtf16(c.label))
            << c.y << " " << c.m << " " << c.d << " " << c.w << " " << c.dow;
    }
    // A stored equinox holiday has neither day nor weekday.
    EXPECT_EQ(MakeDateLabel(SchedulePattern{10, 0, 3, {}, {}, {}}),
              QStringLiteral("毎年3月(日計算)"));
    // A stored weekday rule with Day -1 and Week -1 reads as every week.
    EXPECT_EQ(MakeDateLabel(SchedulePattern{0, 0, 0, -1, -1, 2}), QStringLiteral("毎週月曜日"));
}

TEST(StatusTexts, DayCounterBirthdayAndAnniversary)
{
    EXPECT_EQ(DayCounterText(kTuesday, kTuesday), QStringLiteral("今日"));
    EXPECT_EQ(DayCounterText(kTuesday.addDays(3), kTuesday), QStringLiteral("あと3日"));
    EXPECT_EQ(DayCounterText(kTuesday.addDays(-2), kTuesday), QStringLiteral("2日経過"));
    EXPECT_EQ(DayCounterText(kTuesday.addDays(-1234), kTuesday), QStringLiteral("1,234日経過"));
    EXPECT_EQ(ElapsedDaysText(QDate(1990, 12, 8), kTuesday), QStringLiteral("13,149日経過"));
    EXPECT_EQ(BirthdayText(36), QStringLiteral("36歳の誕生日"));
    EXPECT_EQ(AnniversaryText(10), QStringLiteral("10周年記念"));
    EXPECT_EQ(BirthdayMessage(QStringLiteral("花子")), QStringLiteral("「花子」の誕生日"));
}

TEST(ProposedAlarmTime, NextWholeHourOnTodayOnly)
{
    EXPECT_EQ(ProposedAlarmTime(kTuesday, QDateTime(kTuesday, QTime(14, 20))), QTime(15, 0));
    EXPECT_EQ(ProposedAlarmTime(kTuesday, QDateTime(kTuesday, QTime(22, 59))), QTime(23, 0));
    EXPECT_EQ(ProposedAlarmTime(kTuesday, QDateTime(kTuesday, QTime(23, 30))), QTime(0, 0));
    EXPECT_EQ(ProposedAlarmTime(kTuesday.addDays(1), QDateTime(kTuesday, QTime(14, 20))),
              QTime(0, 0));
}

TEST(DefaultColor, ByWeekday)
{
    EXPECT_EQ(DefaultColorIndex(QDate(2026, 12, 6)), color_index::Purple); // Sunday
    EXPECT_EQ(DefaultColorIndex(QDate(2026, 12, 12)), color_index::Cyan);  // Saturday
    EXPECT_EQ(DefaultColorIndex(kTuesday), color_index::Yellow);
    EXPECT_EQ(EditorColors()[color_index::Purple].name, QStringLiteral("紫"));
    EXPECT_EQ(EditorColors()[color_index::Cyan].name, QStringLiteral("水"));
}

TEST(Colors, CodesAndPreviews)
{
    EXPECT_EQ(RowColorCode(14), 6);
    EXPECT_EQ(RowColorCode(15), 0);
    EXPECT_EQ(RowColorCode(9), 9);
    EXPECT_EQ(RowColorCode(3), 3); // imported palette colours show as they are
    EXPECT_EQ(RowColorCode(std::nullopt), 0);
    EXPECT_EQ(RowColorCode(99), 0);
    EXPECT_EQ(ColorIndexOfCode(15), 6);
    EXPECT_EQ(ColorIndexOfCode(3), std::nullopt);
    EXPECT_EQ(PreviewColorCode(0), 6); // 黄
    EXPECT_EQ(PreviewColorCode(6), 0); // 白 on the light list
    EXPECT_EQ(PreviewColorCode(-1), 0);
}

TEST(Kinds, ListOrderIconsAndCodes)
{
    const auto kinds = EditorKinds();
    const int codes[] = {0, 4, 5, 3, 2, 1, 20, 21};
    for (int i = 0; i < EditorKindCount; ++i) {
        EXPECT_EQ(kinds[std::size_t(i)].typeCode, codes[i]);
        EXPECT_EQ(kinds[std::size_t(i)].icon, i + 1);
        EXPECT_EQ(KindIndexOfType(codes[i]), i);
    }
    EXPECT_EQ(KindIndexOfType(10), kind_index::Holiday);
    EXPECT_EQ(KindIndexOfType(7), std::nullopt);
}

TEST(TitleLine, FirstLineAtMostFiftyCharacters)
{
    EXPECT_EQ(TitleLine(QStringLiteral("歯医者\r\n10時")), QStringLiteral("歯医者"));
    EXPECT_EQ(TitleLine(QStringLiteral("歯医者\n10時")), QStringLiteral("歯医者"));
    EXPECT_EQ(TitleLine(QStringLiteral("\nsecond")), QString());
    EXPECT_EQ(TitleLine(QString(60, u'あ')), QString(50, u'あ'));
}

// The kind rules, row by row, from a panel where everything was unlocked,
// unchecked and on its first entry.
struct KindCase
{
    int kind;
    int year, month, day;        // combo indices after the rules
    bool yearOn, monthOn, dayOn; // combos enabled
    bool timeRange, timeRangeOn; // Check1 checked / enabled
    bool alarm, alarmOn;         // Check2
    bool color, colorOn;         // Check3
    bool markOn;                 // Check4 enabled
    bool birthYearShown, personShown;
};

TEST(KindRules, EachKindPresetsAndLocksItsControls)
{
    const KindCase cases[] = {
        // kind                      y  m  d  yOn    mOn    dOn    tr     trOn   al    alOn
        {kind_index::Ordinary, 0, 0, 0, true, true, true, true, true, true, true, true, true, true,
         false, false},
        {kind_index::Holiday, 1, 0, 0, false, false, true, false, false, true, true, true, false,
         false, false, false},
        {kind_index::Birthday, 1, 0, 0, false, false, false, false, false, true, true, true, true,
         true, true, true},
        {kind_index::Anniversary, 1, 0, 0, false, false, false, false, false, true, true, true,
         true, true, true, false},
        {kind_index::Event, 0, 0, 0, true, true, true, true, true, true, true, true, true, true,
         false, false},
        {kind_index::Diary, 0, 0, 0, false, false, false, true, true, false, false, true, true,
         true, false, false},
        {kind_index::TvProgramme, 1, 1, 2, true, true, true, true, true, true, true, true, true,
         true, false, false},
        {kind_index::Magazine, 1, 1, 2, true, true, true, false, false, true, true, true, true,
         true, false, false},
    };
    for (const KindCase& c : cases) {
        ScheduleForm form;
        form.timeRange = form.alarm = form.color = true;
        PanelState state;
        ApplyKindRules(c.kind, form, state);
        SCOPED_TRACE(EditorKinds()[std::size_t(c.kind)].name.toStdString());
        EXPECT_EQ(form.kindIndex, c.kind);
        EXPECT_EQ(form.yearChoice, c.year);
        EXPECT_EQ(form.monthChoice, c.month);
        EXPECT_EQ(form.dayChoice, c.day);
        EXPECT_EQ(state.combo1Enabled, c.yearOn);
        EXPECT_EQ(state.combo2Enabled, c.monthOn);
        EXPECT_EQ(state.combo3Enabled, c.dayOn);
        EXPECT_EQ(form.timeRange, c.timeRange);
        EXPECT_EQ(state.check1Enabled, c.timeRangeOn);
        EXPECT_EQ(form.alarm, c.alarm);
        EXPECT_EQ(state.check2Enabled, c.alarmOn);
        EXPECT_EQ(form.color, c.color);
        EXPECT_EQ(state.check3Enabled, c.colorOn);
        EXPECT_EQ(state.check4Enabled, c.markOn);
        EXPECT_EQ(state.birthYearVisible, c.birthYearShown);
        EXPECT_EQ(state.personVisible, c.personShown);
    }
}

TEST(KindRules, HolidayIsRedAndLocksTheColourList)
{
    ScheduleForm form;
    PanelState state;
    ApplyKindRules(kind_index::Holiday, form, state);
    EXPECT_TRUE(form.color);
    EXPECT_EQ(form.colorIndex, color_index::Red);
    EXPECT_TRUE(state.colorListVisible);
    EXPECT_FALSE(state.colorListEnabled);
    // Back to an ordinary schedule: the colour stays chosen but unlocked.
    ApplyKindRules(kind_index::Ordinary, form, state);
    EXPECT_TRUE(state.colorListEnabled);
    EXPECT_TRUE(state.combo1Enabled);
}

TEST(KindRules, EventAfterHolidayUnlocksTheRule)
{
    ScheduleForm form;
    PanelState state;
    ApplyKindRules(kind_index::Holiday, form, state);
    ApplyKindRules(kind_index::Event, form, state);
    EXPECT_TRUE(state.combo1Enabled);
    EXPECT_TRUE(state.check1Enabled);
    EXPECT_EQ(form.yearChoice, 1); // the rule itself stays as the holiday left it
}

TEST(OptionControls, VisibilityFollowsTheBoxes)
{
    ScheduleForm form;
    PanelState state;
    UpdateOptionControls(form, state);
    EXPECT_FALSE(state.timeRangeVisible);
    EXPECT_FALSE(state.alarmTimeVisible);
    EXPECT_FALSE(state.colorListVisible);
    EXPECT_FALSE(state.check4Visible);
    EXPECT_EQ(state.check3Caption, QStringLiteral("カラー"));

    form.timeRange = form.alarm = form.color = form.mark = true;
    form.colorIndex = 5; // 青
    UpdateOptionControls(form, state);
    EXPECT_TRUE(state.timeRangeVisible);
    EXPECT_TRUE(state.alarmTimeVisible);
    EXPECT_TRUE(state.colorListVisible);
    EXPECT_TRUE(state.colorListEnabled);
    EXPECT_TRUE(state.check4Visible);
    EXPECT_TRUE(state.markListVisible);
    EXPECT_EQ(state.check3Caption, QStringLiteral("マークのカラー"));
    EXPECT_EQ(state.markPreviewCode, 9);
}

TEST(Times, StoredAsTwoDigitHourAndMinute)
{
    EXPECT_EQ(TimeText(QTime(7, 5)), QStringLiteral("07:05"));
    EXPECT_EQ(ParseTimeText(QStringLiteral("7:05")), QTime(7, 5));
    EXPECT_EQ(ParseTimeText(QStringLiteral(" 23:59 ")), QTime(23, 59));
    EXPECT_EQ(ParseTimeText(QStringLiteral("noon")), std::nullopt);
}

} // namespace
} // namespace morvane
