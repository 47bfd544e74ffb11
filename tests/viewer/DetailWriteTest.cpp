#include "viewer/DetailWrite.h"

#include "core/AnsiText.h"
#include "data/records/ScheduleFields.h"
#include "ui_toolkit/CalendarImages.h"
#include "viewer/MonthList.h"
#include "viewer/ViewerFixture.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

using test::Dated;
using test::Equinox;
using test::ViewerFixture;
namespace f = schedule_fields;

const MonthListLook kLook{QColor(255, 0, 0), QColor(0, 150, 255)};
const QDate kToday(2016, 3, 10);

ListModel MarchList(ViewerFixture& db, int typeFilter = -1)
{
    return ShowMonthList(db.schedules(), 2016, 3, typeFilter, kToday, kLook);
}

// The first row of `day` (the nth of that day).
ListRow& RowOf(ListModel& list, int day, int nth = 0)
{
    for (ListRow& row : list.rows) {
        if (row.day == day && nth-- == 0)
            return row;
    }
    throw std::runtime_error("no such row");
}

TEST(DetailWrite, TypingOnAnEmptyBirthdayDayCreatesOneRecordAndThenUpdatesIt)
{
    ViewerFixture db;
    ListModel list = MarchList(db, 2);
    ListRow& row = RowOf(list, 5);
    ASSERT_TRUE(row.key.isEmpty());

    EXPECT_EQ(WriteMonthRowText(db.schedules(), row, 2016, 3, 2, QStringLiteral("花")),
              DetailWrite::Created);
    EXPECT_EQ(row.reportIconKey, ImageKey::BirthdayItem);
    EXPECT_FALSE(row.key.isEmpty());
    EXPECT_EQ(row.text(MonthTextCell), QStringLiteral("花"));
    // The record has no colour code; the next keystrokes still find it.
    for (const char* text : {"花子", "花子の", "花子の誕生日"}) {
        EXPECT_EQ(WriteMonthRowText(db.schedules(), row, 2016, 3, 2, QString::fromUtf8(text)),
                  DetailWrite::Saved);
    }
    Recordset& rs = db.schedules();
    ASSERT_EQ(rs.RecordCount(), 1);
    rs.MoveFirst();
    EXPECT_EQ(rs.GetValue(f::Type).toInt(), 2);
    EXPECT_EQ(rs.GetValue(f::Year).toInt(), 2016);
    EXPECT_EQ(rs.GetValue(f::Month).toInt(), 3);
    EXPECT_EQ(rs.GetValue(f::Day).toInt(), 5);
    EXPECT_TRUE(rs.GetValue(f::Color).isNull());
    EXPECT_EQ(rs.GetValue(f::Message).toString(), QStringLiteral("花子の誕生日"));
    // The new record shows on its day when the list is built again.
    ListModel again = MarchList(db, 2);
    EXPECT_EQ(RowOf(again, 5).text(MonthTextCell), QStringLiteral("花子の誕生日"));
    // Emptying the box of an empty day creates nothing.
    ListRow& empty = RowOf(again, 6);
    EXPECT_EQ(WriteMonthRowText(db.schedules(), empty, 2016, 3, 2, QString()),
              DetailWrite::Unchanged);
    EXPECT_EQ(rs.RecordCount(), 1);
}

// Each row writes to its own record, whatever its text, type or colour:
// texts that a filter would read as quotes or wildcards, a computed-date
// holiday, and two records of one day with the same text.
TEST(DetailWrite, EveryRowUpdatesExactlyItsOwnRecord)
{
    ViewerFixture db;
    db.add({Dated(0, 2016, 3, 1, QStringLiteral("Bob's")),
            Dated(0, 2016, 3, 1, QStringLiteral("Bob's"), 12),
            Dated(0, 2016, 3, 2, QStringLiteral("a*b")), Dated(4, 2016, 3, 3, QStringLiteral("?")),
            Dated(0, 2016, 3, 4, QStringLiteral("#1")), Dated(0, 2016, 3, 7, QStringLiteral("[x]")),
            Equinox(3, QStringLiteral("春分の日"))});
    struct Case
    {
        int day;
        int nth;
        int position;
    };
    const Case cases[] = {{1, 1, 1}, {1, 0, 0}, {2, 0, 2}, {3, 0, 3},
                          {4, 0, 4}, {7, 0, 5}, {20, 0, 6}};
    for (const Case& c : cases) {
        ListModel list = MarchList(db);
        ListRow& row = RowOf(list, c.day, c.nth);
        const QString text = QStringLiteral("changed %1").arg(c.position);
        EXPECT_EQ(WriteMonthRowText(db.schedules(), row, 2016, 3, 0, text), DetailWrite::Saved)
            << c.position;
        EXPECT_EQ(db.messageAt(c.position), text) << c.position;
        EXPECT_EQ(db.schedules().RecordCount(), 7);
    }
    // The holiday stays a computed-date holiday.
    db.schedules().SetAbsolutePosition(6);
    EXPECT_EQ(db.schedules().GetValue(f::Type).toInt(), 10);
}

TEST(DetailWrite, TooLongTextKeepsThePreviousTextAndSaysWhatFits)
{
    ViewerFixture db;
    db.add(Dated(0, 2016, 3, 1, QStringLiteral("前の予定")));
    ListModel list = MarchList(db);
    ListRow& row = RowOf(list, 1);
    const int size = db.schedules().Size(f::Message);
    const QString tooLong(size / 2 + 1, QChar(u'あ'));
    EXPECT_EQ(WriteMonthRowText(db.schedules(), row, 2016, 3, 0, tooLong), DetailWrite::TooLong);
    EXPECT_EQ(db.messageAt(0), QStringLiteral("前の予定"));
    EXPECT_EQ(row.text(MonthTextCell), QStringLiteral("前の予定"));
    // Nor does a too-long text on an empty day leave a record behind.
    ListRow& empty = RowOf(list, 2);
    EXPECT_EQ(WriteMonthRowText(db.schedules(), empty, 2016, 3, 0, tooLong), DetailWrite::TooLong);
    EXPECT_EQ(db.schedules().RecordCount(), 1);
    EXPECT_TRUE(empty.key.isEmpty());
    EXPECT_EQ(MemoTextTooLongMessage(size, AnsiByteLength(tooLong)),
              QStringLiteral("メモ内容の文字数が多すぎます。\r\n%1バイト以内で指定してください。"
                             "\r\n\r\n（現在のバイト数=%2バイト）")
                  .arg(size)
                  .arg(size + 2));
}

TEST(DetailWrite, RowWhoseRecordMovedAwayWritesNothing)
{
    ViewerFixture db;
    db.add(
        {Dated(0, 2016, 3, 1, QStringLiteral("一")), Dated(0, 2016, 3, 2, QStringLiteral("二"))});
    ListModel list = MarchList(db);
    db.schedules().SetAbsolutePosition(0);
    db.schedules().Delete();
    // Day 2's record now sits at position 0; day 1's row points there.
    ListRow& row = RowOf(list, 1);
    EXPECT_EQ(WriteMonthRowText(db.schedules(), row, 2016, 3, 0, QStringLiteral("x")),
              DetailWrite::Stale);
    EXPECT_EQ(db.messageAt(0), QStringLiteral("二"));
}

TEST(MemoTitles, DuplicatesCompareWithoutCaseAgainstEveryNode)
{
    const QStringList nodes = {QStringLiteral("予定一覧"), QStringLiteral("日記"),
                               QStringLiteral("メモ一覧"), QStringLiteral("Memo"),
                               QStringLiteral("買い物")};
    struct Case
    {
        const char* title;
        bool taken;
    };
    const Case cases[] = {{"買い物", true}, {"日記", true},   {"memo", true},     {"MEMO", true},
                          {"Memo", true},   {"Memo2", false}, {"買い物 ", false}, {"Bob's", false}};
    for (const Case& c : cases)
        EXPECT_EQ(TitleTaken(nodes, QString::fromUtf8(c.title)), c.taken) << c.title;
    EXPECT_EQ(DuplicateTitleMessage(QStringLiteral("日記")),
              QStringLiteral("同じタイトルのメモ「日記」が既に存在します。\r\n"
                             "別のタイトル名に変更してください。"));
}

} // namespace
} // namespace morvane
