#include "viewer/ViewerDeletion.h"

#include "core/ActivityLog.h"
#include "data/records/DaySchedules.h"
#include "data/records/OneOffDate.h"
#include "data/records/ScheduleFields.h"
#include "viewer/AllList.h"
#include "viewer/MonthList.h"
#include "viewer/ViewerFixture.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace morvane {
namespace {

using test::Dated;
using test::Rec;
using test::ViewerFixture;
using test::Weekday;
namespace f = schedule_fields;

const MonthListLook kLook{QColor(255, 0, 0), QColor(0, 150, 255)};

QStringList Messages(Recordset& rs)
{
    QStringList texts;
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext())
        texts << rs.GetValue(f::Message).toString();
    return texts;
}

TEST(ViewerDeletion, RecurringScheduleOnSeveralRowsIsDeletedOnceWithItsNeighboursIntact)
{
    ViewerFixture db;
    db.add({Dated(0, 2016, 3, 1, QStringLiteral("前")),
            Weekday(0, 0, 0, 0, 4, QStringLiteral("毎週水曜")),
            Dated(0, 2016, 3, 2, QStringLiteral("後")),
            Dated(0, 2016, 3, 9, QStringLiteral("最後"))});
    const ListModel list = ShowMonthList(db.schedules(), 2016, 3, -1, QDate(2016, 3, 1), kLook);
    std::vector<const ListRow*> selected;
    for (const ListRow& row : list.rows) {
        if (row.text(3) == QStringLiteral("毎週水曜") && selected.size() < 3)
            selected.push_back(&row);
    }
    ASSERT_EQ(selected.size(), std::size_t(3));
    const std::vector<qint64> ids = SelectedRecordIds(selected);
    ASSERT_EQ(ids.size(), std::size_t(1));
    EXPECT_EQ(DeleteRecordsById(db.schedules(), ids), 1);
    EXPECT_EQ(Messages(db.schedules()),
              (QStringList{QStringLiteral("前"), QStringLiteral("後"), QStringLiteral("最後")}));
}

TEST(ViewerDeletion, SelectedRecordsGoWhateverTheirOrderAndNoOtherRecordTakesTheirPlace)
{
    ViewerFixture db;
    for (int i = 1; i <= 10; ++i)
        db.add(Dated(0, 2016, 3, i, QStringLiteral("r%1").arg(i)));
    const ListModel list = ShowAllList(db.schedules(), -1);
    // Positions 8 and 4 (the ninth and fifth), named twice, in any order: the ninth goes
    // first, so the fifth is still where the list saw it.
    std::vector<const ListRow*> selected = {&list.rows[8], &list.rows[4], &list.rows[8]};
    EXPECT_EQ(DeleteRecordsById(db.schedules(), SelectedRecordIds(selected)), 2);
    EXPECT_EQ(Messages(db.schedules()),
              (QStringList{"r1", "r2", "r3", "r4", "r6", "r7", "r8", "r10"}));
    // A record deleted meanwhile is skipped, and the next one is not taken.
    selected = {&list.rows[0]};
    db.schedules().SetAbsolutePosition(db.schedules().PositionOfRecordId(list.rows[0].recordId));
    db.schedules().Delete();
    EXPECT_EQ(DeleteRecordsById(db.schedules(), SelectedRecordIds(selected)), 0);
    EXPECT_EQ(db.schedules().RecordCount(), 7);
}

TEST(ViewerDeletion, PastSchedulesAreThoseWithAConcreteDateBeforeToday)
{
    ViewerFixture db;
    db.add({Dated(0, 2016, 3, 9, QStringLiteral("昨日")),
            Dated(0, 2015, 12, 31, QStringLiteral("去年")),
            Dated(0, 2016, 3, 10, QStringLiteral("今日")),
            Dated(0, 0, 3, 1, QStringLiteral("毎年")),
            Rec{0, 2016, 3, 1, 0, 3, 0, QStringLiteral("Week 0"), {}},
            Dated(0, 2016, 0, 1, QStringLiteral("毎月")),
            Weekday(0, 2015, 1, 0, 2, QStringLiteral("毎週")),
            Dated(0, 2016, 2, 29, QStringLiteral("先月")),
            Dated(0, 2016, 4, 1, QStringLiteral("来月"))});
    EXPECT_EQ(DeletePastSchedules(db.schedules(), QDate(2016, 3, 10)), 3);
    EXPECT_EQ(Messages(db.schedules()),
              (QStringList{"今日", "毎年", "Week 0", "毎月", "毎週", "来月"}));
    EXPECT_EQ(DeletePastSchedules(db.schedules(), QDate(2016, 3, 10)), 0);
}

struct PastCase
{
    const char* name;
    Rec record;
    bool past; // on 2026-03-10
};

// Exactly the one-off schedules whose day lies before today go, the n-th
// weekday ones by the day they fall on, whatever Week or Day holds besides.
TEST(ViewerDeletion, PastScheduleIsAOneOffWhoseDayIsBeforeToday)
{
    const QDate today(2026, 3, 10);
    const PastCase cases[] = {
        {"4th Sunday of March 2026 (the 22nd)", Weekday(0, 2026, 3, 4, 1, "a"), false},
        {"1st Sunday of March 2026 (the 1st)", Weekday(0, 2026, 3, 1, 1, "b"), true},
        {"2nd Tuesday of March 2026 (today)", Weekday(0, 2026, 3, 2, 3, "c"), false},
        {"2nd Monday of March 2026 (yesterday)", Weekday(0, 2026, 3, 2, 2, "d"), true},
        {"5th Sunday of February 2026 (none)", Weekday(0, 2026, 2, 5, 1, "e"), false},
        {"dated, Week Null", Rec{0, 2026, 3, 9, {}, {}, 0, "f", {}}, true},
        {"dated, Week and DayOfTheWeek Null, last year", Rec{0, 2025, 12, 31, {}, {}, 0, "g", {}},
         true},
        {"dated today", Dated(0, 2026, 3, 10, "h"), false},
        {"dated tomorrow", Dated(0, 2026, 3, 11, "i"), false},
        {"every week", Weekday(0, 2025, 1, 0, 2, "j"), false},
        {"every year", Dated(0, 0, 3, 1, "k"), false},
        {"every month", Dated(0, 2025, 0, 1, "l"), false},
        {"no day", Rec{0, 2025, 3, {}, {}, {}, 0, "m", {}}, false},
        {"equinox holiday", Rec{10, 2025, 3, {}, {}, {}, 12, "n", {}}, false},
        {"day and 4th Sunday, the later still to come", Rec{0, 2026, 3, 1, 4, 1, 0, "o", {}},
         false},
    };
    ViewerFixture db;
    for (const PastCase& c : cases)
        db.add(c.record);
    std::vector<StoredRecord> removed;
    QStringList expectedKept;
    QStringList expectedGone;
    for (const PastCase& c : cases)
        (c.past ? expectedGone : expectedKept) << c.record.message;
    EXPECT_EQ(DeletePastSchedules(db.schedules(), today, &removed), expectedGone.size());
    EXPECT_EQ(Messages(db.schedules()), expectedKept);
    QStringList gone;
    for (const StoredRecord& record : removed) {
        for (const auto& [name, value] : record.fields) {
            if (name == f::Message)
                gone << value.toString();
        }
    }
    EXPECT_EQ(gone, expectedGone);

    // The day a one-off falls on is the day the program's day rule finds it.
    for (const PastCase& c : cases) {
        ViewerFixture one;
        one.add(c.record);
        one.schedules().MoveFirst();
        const std::optional<QDate> last = OneOffDate(ReadSchedulePattern(one.schedules()));
        if (last) {
            EXPECT_EQ(FindSchedulesOn(one.schedules(), *last).size(), 1u) << c.name;
        }
    }
}

// A repeating schedule whose last day has passed has no day left to come; one
// that still has (or has no last day, or only skipped days) stays.
TEST(ViewerDeletion, ARuleWhoseLastDayHasPassedIsPast)
{
    const QDate today(2026, 3, 10);
    ViewerFixture db;
    db.add(Weekday(0, 0, 0, 0, 2, QStringLiteral("昨日まで")));
    db.boundLast(QDate(2025, 1, 1), today.addDays(-1));
    db.add(Weekday(0, 0, 0, 0, 2, QStringLiteral("今日まで")));
    db.boundLast(QDate(), today);
    db.add(Dated(0, 2026, 3, 20, QStringLiteral("一回、先月まで")));
    db.boundLast(QDate(), QDate(2026, 2, 28));
    db.add(Dated(0, 0, 0, 1, QStringLiteral("毎月、昨日を除く")));
    db.boundLast(QDate(2026, 3, 10), QDate(), {today.addDays(-1)});
    EXPECT_EQ(DeletePastSchedules(db.schedules(), today), 2);
    EXPECT_EQ(Messages(db.schedules()),
              (QStringList{QStringLiteral("今日まで"), QStringLiteral("毎月、昨日を除く")}));
}

TEST(ViewerDeletion, DeletedRecordsComeBackWithEveryField)
{
    ViewerFixture db;
    Rec alarmed = Dated(4, 2026, 3, 1, QStringLiteral("会議"), 9);
    alarmed.alarm = QStringLiteral("08:30");
    db.add({alarmed, Dated(0, 2026, 3, 2, QStringLiteral("残る"))});
    const auto fieldsOf = [&](int position) {
        db.schedules().SetAbsolutePosition(position);
        return ReadStoredRecord(db.schedules()).fields;
    };
    const auto first = fieldsOf(0);
    std::vector<StoredRecord> removed;
    InOneBatch(db.database().database(), [&] {
        DeleteRecordsById(db.schedules(), {db.schedules().RecordIdAt(0)}, &removed);
    });
    EXPECT_EQ(Messages(db.schedules()), QStringList{QStringLiteral("残る")});
    InOneBatch(db.database().database(), [&] { RestoreRecords(db.schedules(), removed); });
    EXPECT_EQ(Messages(db.schedules()),
              (QStringList{QStringLiteral("残る"), QStringLiteral("会議")}));
    EXPECT_EQ(fieldsOf(1), first);
}

TEST(ViewerDeletion, LogIsRewrittenInTheGivenOrderInItsLineFormat)
{
    QTemporaryDir dir;
    const QString path = LogFilePath(dir.path());
    const std::vector<LogEntry> kept = {
        {QStringLiteral("2016/03/10 09:00.00"), QStringLiteral("終了")},
        {QStringLiteral("2016/03/09 08:00.00"), QStringLiteral("起動")}};
    QString error;
    ASSERT_TRUE(RewriteLogFile(path, kept, &error)) << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), LogLineBytes(kept[0].when, kept[0].event) +
                                  LogLineBytes(kept[1].when, kept[1].event));
    file.close();
    EXPECT_EQ(ReadLogFile(path).entries, kept);
    ASSERT_TRUE(RewriteLogFile(path, {}, &error));
    EXPECT_EQ(QFile(path).size(), 0);
    // A log that cannot be written is reported.
    EXPECT_FALSE(RewriteLogFile(dir.filePath(QStringLiteral("missing/Morva.log")), kept, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(ViewerDeletion, Messages)
{
    EXPECT_EQ(delete_text::BulkQuestion(3),
              QStringLiteral("選択された3件の予定を一括削除します。\r\n削除してもよろしいですか"));
    EXPECT_EQ(delete_text::PastDone(5), QStringLiteral("5件の予定を削除しました"));
    EXPECT_TRUE(delete_text::PastQuestion().endsWith(
        QStringLiteral("\r\n\r\n(毎年,毎月,毎週指定の予定は対象外)")));
}

} // namespace
} // namespace morvane
