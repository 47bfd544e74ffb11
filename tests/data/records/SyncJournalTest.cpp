#include "data/records/ScheduleDatabase.h"

#include "RecordsTestSupport.h"
#include "data/records/ScheduleFields.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace morvane {
namespace {

namespace f = schedule_fields;
using test::AddRecord;

struct Entry
{
    qint64 recordId; // 0 once the record is gone
    QString uid;
    QString change;
    friend bool operator==(const Entry&, const Entry&) = default;
    friend void PrintTo(const Entry& e, std::ostream* os)
    {
        *os << e.recordId << ' ' << e.uid.toStdString() << ' ' << e.change.toStdString();
    }
};

std::vector<Entry> Journal(const Database& db)
{
    std::vector<Entry> entries;
    for (const auto& row : db.QuerySql(QStringLiteral(
             "SELECT i.RecordId, i.Uid, j.Change FROM sync_journal j JOIN sync_item i "
             "USING (ItemId) ORDER BY j.Seq")))
        entries.push_back({row[0].toLongLong(), row[1].toString(), row[2].toString()});
    return entries;
}

QString UidOf(const Database& db, qint64 recordId)
{
    const auto rows = db.QuerySql(QStringLiteral("SELECT Uid FROM sync_item WHERE RecordId = ?"),
                                  {Value(recordId)});
    return rows.empty() ? QString() : rows.front().front().toString();
}

// As a sync leaves an item once the server agreed on it.
void Agree(Database& db, qint64 recordId)
{
    db.ExecuteSql(QStringLiteral("UPDATE sync_item SET Href = 'x.ics', ETag = '\"1\"' "
                                 "WHERE RecordId = ?"),
                  {Value(recordId)});
    db.ExecuteSql(QStringLiteral("DELETE FROM sync_journal"));
}

// SQL run by another program on the closed file.
void RunElsewhere(const QString& path, const char* sql)
{
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &raw), SQLITE_OK);
    char* message = nullptr;
    const int rc = sqlite3_exec(raw, sql, nullptr, nullptr, &message);
    const std::string text = message ? message : "";
    sqlite3_free(message);
    sqlite3_close(raw);
    ASSERT_EQ(rc, SQLITE_OK) << text;
}

class SyncJournalTest : public ::testing::Test
{
protected:
    void SetUp() override { Reopen(); }
    void Reopen()
    {
        if (m_opened)
            m_opened->Close();
        OpenScheduleResult result = OpenScheduleDatabase(m_folder.path());
        ASSERT_TRUE(result.ok());
        m_opened = std::move(result.database);
    }
    void Close() { m_opened->Close(); }
    Database& db() { return m_opened->database(); }
    Recordset& schedules() { return m_opened->schedules(); }
    QString path() const { return DataFilePath(m_folder.path()); }
    qint64 Add(const QString& message)
    {
        AddRecord(schedules(), {{f::Type, Value(0)}, {f::Message, Value(message)}});
        schedules().MoveLast();
        return schedules().RecordId();
    }

private:
    QTemporaryDir m_folder;
    std::unique_ptr<ScheduleDatabase> m_opened;
};

TEST_F(SyncJournalTest, AddingChangingAndDeletingEachLeaveTheirEntry)
{
    const qint64 id = Add(QStringLiteral("歯医者"));
    const QString uid = UidOf(db(), id);
    EXPECT_EQ(Journal(db()), (std::vector<Entry>{{id, uid, "add"}}));

    // Changed again before any sync: still new to the server.
    schedules().Edit();
    schedules().SetValue(f::Message, Value(QStringLiteral("歯医者 10時")));
    schedules().Update();
    EXPECT_EQ(Journal(db()), (std::vector<Entry>{{id, uid, "add"}}));

    Agree(db(), id);
    schedules().Edit();
    schedules().SetValue(f::StartTime, Value(QStringLiteral("10:00")));
    schedules().Update();
    EXPECT_EQ(Journal(db()), (std::vector<Entry>{{id, uid, "change"}}));

    schedules().Delete();
    // The item outlives its record: its UID names what to delete on the server.
    EXPECT_EQ(Journal(db()), (std::vector<Entry>{{0, uid, "delete"}}));
}

TEST_F(SyncJournalTest, AnUndoneBatchLeavesNoEntry)
{
    db().BeginTrans();
    Add(QStringLiteral("消える"));
    db().Rollback();
    EXPECT_TRUE(Journal(db()).empty());
    EXPECT_TRUE(db().QuerySql(QStringLiteral("SELECT * FROM sync_item")).empty());
}

TEST_F(SyncJournalTest, WritesOfAnotherProgramAreJournaledToo)
{
    const qint64 kept = Add(QStringLiteral("a"));
    const qint64 gone = Add(QStringLiteral("b"));
    Agree(db(), kept);
    Agree(db(), gone);
    Close();
    RunElsewhere(path(), "INSERT INTO Schedule (Type, Message) VALUES (0, 'c');"
                         "UPDATE Schedule SET Message = 'a2' WHERE Message = 'a';"
                         "DELETE FROM Schedule WHERE Message = 'b';");
    Reopen();
    const std::vector<Entry> journal = Journal(db());
    ASSERT_EQ(journal.size(), 3u);
    EXPECT_EQ(journal[0].change, "add");
    EXPECT_EQ(journal[1], (Entry{kept, journal[1].uid, "change"}));
    EXPECT_EQ(journal[2], (Entry{0, journal[2].uid, "delete"}));
}

TEST_F(SyncJournalTest, AFileOfAnOlderVersionGainsItemsForItsRecords)
{
    Add(QStringLiteral("a"));
    Add(QStringLiteral("b"));
    Close();
    RunElsewhere(path(), "DROP TRIGGER sync_schedule_added; DROP TRIGGER sync_schedule_changed;"
                         "DROP TRIGGER sync_schedule_removed; DROP TABLE sync_journal;"
                         "DROP TABLE sync_item; DROP TABLE sync_collection; DROP TABLE sync_file;");
    Reopen();
    EXPECT_EQ(db().TableNames(), QStringList({"Schedule", "Memo"}));
    const std::vector<Entry> journal = Journal(db());
    ASSERT_EQ(journal.size(), 2u);
    const QString identity =
        db().QuerySql(QStringLiteral("SELECT Value FROM sync_file"))[0][0].toString();
    for (const Entry& entry : journal) {
        EXPECT_EQ(entry.change, "add");
        EXPECT_TRUE(entry.uid.contains(identity)) << entry.uid.toStdString();
    }
    EXPECT_NE(journal[0].uid, journal[1].uid);
    // A later change is journaled: the triggers came with the tables.
    const qint64 c = Add(QStringLiteral("c"));
    EXPECT_EQ(Journal(db()).back().recordId, c);
}

TEST_F(SyncJournalTest, ARecordIdGivenAgainStartsANewItem)
{
    Add(QStringLiteral("a"));
    const qint64 last = Add(QStringLiteral("b"));
    Agree(db(), last);
    const QString oldUid = UidOf(db(), last);
    schedules().MoveLast();
    schedules().Delete();
    Close();
    Reopen();
    const qint64 again = Add(QStringLiteral("c"));
    ASSERT_EQ(again, last); // a new run hands the freed id out again
    const QString newUid = UidOf(db(), again);
    EXPECT_NE(newUid, oldUid);
    EXPECT_EQ(Journal(db()), (std::vector<Entry>{{0, oldUid, "delete"}, {again, newUid, "add"}}));
}

TEST(SyncIdentity, TwoFilesNeverShareAUid)
{
    QTemporaryDir one, two;
    std::vector<QString> uids;
    for (const QTemporaryDir* dir : {&one, &two}) {
        OpenScheduleResult opened = OpenScheduleDatabase(dir->path());
        ASSERT_TRUE(opened.ok());
        AddRecord(opened.database->schedules(), {{f::Type, Value(0)}, {f::Message, Value("x")}});
        uids.push_back(UidOf(opened.database->database(), 1));
    }
    EXPECT_FALSE(uids[0].isEmpty());
    EXPECT_NE(uids[0].section(u'-', 0, 1), uids[1].section(u'-', 0, 1));
}

} // namespace
} // namespace morvane
