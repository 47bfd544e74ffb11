#include "viewer/AllList.h"

#include "data/records/ScheduleCodes.h"
#include "viewer/RowKey.h"
#include "viewer/ViewerFixture.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

using test::Dated;
using test::Equinox;
using test::Rec;
using test::ViewerFixture;
using test::Weekday;

QColor Palette(int index)
{
    return QColor::fromRgb(QBColor(index)->argb());
}

struct LabelCase
{
    const char* name;
    Rec record;
    const char16_t* label;
    const char* icon;
};

void PrintTo(const LabelCase& c, std::ostream* out)
{
    *out << c.name;
}

class Labels : public ::testing::TestWithParam<LabelCase>
{
};

TEST_P(Labels, RuleColumnReadsTheFullRule)
{
    ViewerFixture fixture;
    fixture.add(GetParam().record);
    const ListModel model = ShowAllList(fixture.schedules(), -1);
    ASSERT_EQ(model.rows.size(), 1u);
    EXPECT_EQ(model.rows[0].text(0), QString::fromUtf16(GetParam().label));
    EXPECT_EQ(model.rows[0].smallIconKey, QString::fromLatin1(GetParam().icon));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, Labels,
    ::testing::Values(LabelCase{"SecondSundayOfMay",
                                Weekday(0, 0, 5, 2, 1, QStringLiteral("母の日")),
                                u"毎年5月第2週日曜日", "normal_item"},
                      LabelCase{"EveryWeek", Weekday(5, 0, 0, 0, 1, QStringLiteral("日記")),
                                u"毎年毎月毎週日曜日", "diary_item"},
                      LabelCase{"OneDate", Dated(2, 2016, 3, 21, QStringLiteral("誕生日")),
                                u"2016年3月21日", "birthday_item"},
                      LabelCase{"EveryMonth", Dated(20, 0, 0, 25, QStringLiteral("番組")),
                                u"毎年毎月25日", "tv_item"},
                      LabelCase{"Equinox", Equinox(3, QStringLiteral("春分の日")),
                                u"毎年3月(日計算)", "holiday_item"},
                      LabelCase{"UnknownKindHasNoIcon", Dated(7, 2026, 1, 2, QStringLiteral("?")),
                                u"2026年1月2日", ""}));

TEST(AllList, RuleColumnNamesTheLastDay)
{
    ViewerFixture fixture;
    fixture.add(Weekday(0, 0, 0, 0, 4, QStringLiteral("会議")));
    fixture.boundLast(QDate(), QDate(2026, 12, 31));
    const ListModel model = ShowAllList(fixture.schedules(), -1);
    ASSERT_EQ(model.rows.size(), 1u);
    EXPECT_EQ(model.rows[0].text(0), QStringLiteral("毎年毎月毎週水曜日（2026年12月31日まで）"));
}

TEST(AllList, TextColourAlarmAndKeys)
{
    ViewerFixture fixture;
    Rec withAlarm = Dated(0, 2026, 1, 2, QStringLiteral("色1"), 1);
    withAlarm.alarm = QStringLiteral("07:00");
    fixture.add({withAlarm, Dated(0, 2026, 1, 3, QStringLiteral("色14"), 14),
                 Dated(0, 2026, 1, 4, QStringLiteral("色15"), 15),
                 Dated(0, 2026, 1, 5, QStringLiteral("色9"), 9),
                 Dated(0, 2026, 1, 6, QString(), 9)});
    const ListModel model = ShowAllList(fixture.schedules(), -1);
    ASSERT_EQ(model.rows.size(), 5u);
    EXPECT_FALSE(model.rows[0].cells[1].color.has_value()); // colour 1 keeps the default
    EXPECT_EQ(model.rows[0].text(2), QStringLiteral("07:00"));
    EXPECT_EQ(model.rows[1].cells[1].color, Palette(6));
    EXPECT_EQ(model.rows[2].cells[1].color, QColor(Qt::black));
    EXPECT_EQ(model.rows[3].cells[1].color, Palette(9));
    EXPECT_FALSE(model.rows[4].cells[1].color.has_value()); // no text, no colour
    for (int r = 0; r < 5; ++r) {
        EXPECT_EQ(RowKeyPosition(model.rows[std::size_t(r)].key), r);
        EXPECT_EQ(model.rows[std::size_t(r)].recordId, fixture.schedules().RecordIdAt(r));
    }
    EXPECT_EQ(model.rows[4].key, QStringLiteral("K0004K0005"));
    EXPECT_EQ(model.caption, QStringLiteral("Morvane [Viewer] - 全ての予定一覧"));
    EXPECT_EQ(model.statusCount, QStringLiteral("5件"));
}

TEST(AllList, RemovesRecordsWithoutTypeOrWithDayZero)
{
    ViewerFixture fixture;
    fixture.add({Dated(0, 2026, 1, 2, QStringLiteral("残る")),
                 Rec{{}, 2026, 1, 3, -1, -1, 9, QStringLiteral("種類なし"), {}},
                 Dated(1, 0, 1, 0, QStringLiteral("0日")),
                 Dated(4, 0, 2, 11, QStringLiteral("残る2")),
                 Rec{0, 0, 0, {}, 0, 2, 9, QStringLiteral("日がNull"), {}}});
    // A type node meets only its own records.
    const ListModel events = ShowAllList(fixture.schedules(), 4);
    EXPECT_EQ(fixture.schedules().RecordCount(), 5);
    ASSERT_EQ(events.rows.size(), 1u);
    EXPECT_EQ(events.rows[0].text(1), QStringLiteral("残る2"));
    EXPECT_EQ(RowKeyPosition(events.rows[0].key), 3);

    const ListModel all = ShowAllList(fixture.schedules(), -1);
    EXPECT_EQ(fixture.schedules().RecordCount(), 3);
    QStringList texts;
    for (const ListRow& row : all.rows)
        texts << row.text(1);
    EXPECT_EQ(texts, (QStringList{QStringLiteral("残る"), QStringLiteral("残る2"),
                                  QStringLiteral("日がNull")}));
    // The keys name the positions after the repair.
    EXPECT_EQ(RowKeyPosition(all.rows[2].key), 2);
}

TEST(AllList, HolidayNodeTakesBothHolidayKinds)
{
    ViewerFixture fixture;
    fixture.add({Dated(1, 0, 1, 1, QStringLiteral("元日")),
                 Dated(0, 0, 1, 1, QStringLiteral("普通")),
                 Equinox(3, QStringLiteral("春分の日"))});
    EXPECT_EQ(ShowAllList(fixture.schedules(), 1).rows.size(), 2u);
    EXPECT_EQ(ShowAllList(fixture.schedules(), 0).rows.size(), 1u);
}

TEST(AllList, EmptyTableShowsItsCount)
{
    ViewerFixture fixture;
    const ListModel model = ShowAllList(fixture.schedules(), -1);
    EXPECT_TRUE(model.rows.empty());
    EXPECT_EQ(model.statusCount, QStringLiteral("0件"));
    EXPECT_EQ(model.columns.size(), 3u);
}

} // namespace
} // namespace morvane
