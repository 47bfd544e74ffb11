#include "viewer/RowKey.h"

#include "core/AnsiText.h"
#include "data/records/ScheduleFields.h"
#include "viewer/AllList.h"
#include "viewer/CsvExport.h"
#include "viewer/MonthList.h"
#include "viewer/ViewerCommands.h"
#include "viewer/ViewerFixture.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

using test::Dated;
using test::ViewerFixture;

TEST(RowKey, FourDigitsBelowTenThousandThenLonger)
{
    EXPECT_EQ(MakeRowKey(0, 0), QStringLiteral("K0000K0000"));
    EXPECT_EQ(MakeRowKey(12, 3), QStringLiteral("K0012K0003"));
    EXPECT_EQ(MakeRowKey(9999, 9999), QStringLiteral("K9999K9999"));
    EXPECT_EQ(MakeRowKey(10000, 1), QStringLiteral("K10000K0001"));
    EXPECT_EQ(MakeRowKey(19999, 20000), QStringLiteral("K19999K20000"));
}

TEST(RowKey, PositionIsReadUpToTheSecondK)
{
    EXPECT_EQ(RowKeyPosition(QStringLiteral("K0012K0003")), 12);
    EXPECT_EQ(RowKeyPosition(QStringLiteral("K19999K20000")), 19999);
    EXPECT_EQ(RowKeyPosition(QStringLiteral("K0007")), 7); // no second part
    for (const char* bad : {"", "K", "KK0001", "X0001K0001", "K00a1K0001", "K-001K0001"})
        EXPECT_EQ(RowKeyPosition(QString::fromLatin1(bad)), std::nullopt) << bad;
}

TEST(RowKey, RowActsOnlyOnTheRecordItWasBuiltFor)
{
    ViewerFixture fixture;
    fixture.add({Dated(0, 2026, 1, 1, QStringLiteral("一")),
                 Dated(0, 2026, 1, 2, QStringLiteral("二")),
                 Dated(0, 2026, 1, 3, QStringLiteral("三"))});
    Recordset& rs = fixture.schedules();
    const ListModel model = ShowAllList(rs, -1);
    const ListRow third = model.rows[2];
    ASSERT_TRUE(MoveToRowRecord(rs, third));
    EXPECT_EQ(rs.GetValue(schedule_fields::Message).toString(), QStringLiteral("三"));

    // The first record goes: position 1 now holds "三", position 2 nothing.
    rs.SetAbsolutePosition(0);
    rs.Delete();
    rs.MoveFirst();
    EXPECT_FALSE(MoveToRowRecord(rs, third));
    EXPECT_FALSE(MoveToRowRecord(rs, model.rows[1])); // its position holds "三" now
    EXPECT_EQ(rs.AbsolutePosition(), 0);              // left where it was
    ListRow keyless;
    EXPECT_FALSE(MoveToRowRecord(rs, keyless));
}

// The last record of a 20,000-record table: listed, opened, exported.
TEST(RowKey, TwentyThousandRecordsAreAllAddressable)
{
    ViewerFixture fixture;
    fixture.database().database().BeginTrans();
    for (int i = 0; i < 19999; ++i)
        fixture.add(Dated(0, 2025, 1 + i % 12, 1 + i % 28, QStringLiteral("予定 %1").arg(i)));
    fixture.add(Dated(0, 2026, 12, 24, QStringLiteral("最後の予定")));
    fixture.database().database().CommitTrans();
    Recordset& rs = fixture.schedules();

    const ListModel all = ShowAllList(rs, -1);
    ASSERT_EQ(all.rows.size(), 20000u);
    const ListRow& last = all.rows.back();
    EXPECT_EQ(last.key, QStringLiteral("K19999K20000"));
    EXPECT_EQ(last.text(1), QStringLiteral("最後の予定"));
    ASSERT_TRUE(MoveToRowRecord(rs, last));
    EXPECT_EQ(rs.AbsolutePosition(), 19999);
    EXPECT_EQ(EditDateOfRecord(ReadSchedulePattern(rs), QDate(2026, 12, 10)), QDate(2026, 12, 24));

    const ListModel december = ShowMonthList(rs, 2026, 12, -1, QDate(2026, 12, 10), {});
    ASSERT_EQ(december.count, 1);
    for (const ListRow& row : december.rows) {
        if (row.key.isEmpty())
            continue;
        EXPECT_EQ(row.day, 24);
        ASSERT_TRUE(MoveToRowRecord(rs, row));
        EXPECT_EQ(rs.GetValue(schedule_fields::Message).toString(), QStringLiteral("最後の予定"));
    }

    const QByteArray csv = BuildCsvBytes(rs);
    EXPECT_TRUE(csv.endsWith(ToAnsi(QStringLiteral("\"2026年12月24日\" ,\"最後の予定\"\r\n"))));
    EXPECT_EQ(csv.count("\r\n"), 20000);
}

} // namespace
} // namespace morvane
