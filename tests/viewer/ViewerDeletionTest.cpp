#include "viewer/ViewerDeletion.h"

#include "core/ActivityLog.h"
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
