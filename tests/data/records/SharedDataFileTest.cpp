#include "data/records/SharedDataFile.h"

#include "RecordsTestSupport.h"
#include "data/records/ScheduleDatabase.h"
#include "data/records/ScheduleFields.h"
#include "data/records/SyncBookkeeping.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace morvane {
namespace {

namespace f = schedule_fields;
using test::AddRecord;

// The windows' connection, as the program opens it, and the background
// sync's beside it.
struct SharedFile : ::testing::Test
{
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        OpenScheduleResult opened = OpenScheduleDatabase(dir.path());
        ASSERT_TRUE(opened.ok());
        windows = std::move(opened.database);
        AddRecord(windows->schedules(), {{f::Type, Value(0)}, {f::Message, Value("first")},
                                         {f::AlarmFlag, Value("True")}});
    }
    QStringList Messages(ScheduleDatabase& db)
    {
        QStringList messages;
        Recordset& rs = db.schedules();
        for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext())
            messages.append(rs.GetValue(f::Message).toString());
        return messages;
    }

    QTemporaryDir dir;
    std::unique_ptr<ScheduleDatabase> windows;
};

TEST_F(SharedFile, OtherProgramsStayLockedOutAndTheSyncWaitsForItsTurn)
{
    EXPECT_THROW(OpenScheduleDatabaseBeside(windows->path()), EngineError)
        << "the file is the windows' alone until shared";
    ShareDataFile(windows->database(), true);
    const std::unique_ptr<ScheduleDatabase> sync = OpenScheduleDatabaseBeside(windows->path());
    // A plain open: the alarm acknowledgement stays as the windows left it.
    sync->schedules().MoveFirst();
    EXPECT_EQ(sync->schedules().GetValue(f::AlarmFlag).toString(), QStringLiteral("True"));
    sync->Close();
    ShareDataFile(windows->database(), false);
    EXPECT_THROW(OpenScheduleDatabaseBeside(windows->path()), EngineError);
}

TEST_F(SharedFile, BothConnectionsAppendWithoutTakingEachOthersIdsAndTheWindowsReadTheSyncsRows)
{
    ShareDataFile(windows->database(), true);
    const std::unique_ptr<ScheduleDatabase> sync = OpenScheduleDatabaseBeside(windows->path());
    const qint64 firstId = windows->schedules().RecordIdAt(0);

    AddRecord(sync->schedules(), {{f::Type, Value(0)}, {f::Message, Value("from the server")}});
    // The windows' rows do not know that record: their next id would be its.
    ASSERT_NO_THROW(
        AddRecord(windows->schedules(), {{f::Type, Value(0)}, {f::Message, Value("typed here")}}));
    windows->schedules().MoveLast();
    const qint64 typedId = windows->schedules().RecordId();
    ASSERT_NO_THROW(
        AddRecord(sync->schedules(), {{f::Type, Value(0)}, {f::Message, Value("second")}}));
    sync->Close();
    ShareDataFile(windows->database(), false);

    ReloadScheduleRows(windows->database());
    EXPECT_EQ(Messages(*windows),
              (QStringList{"first", "from the server", "typed here", "second"}));
    // Ids kept by lists still name their records.
    EXPECT_EQ(windows->schedules().PositionOfRecordId(firstId), 0);
    EXPECT_EQ(windows->schedules().PositionOfRecordId(typedId), 2);
    // Every change of either connection is in the journal.
    const auto journal = windows->database().QuerySql(
        QStringLiteral("SELECT count(*) FROM sync_journal"));
    EXPECT_EQ(journal.front().front().toInt(), 4);
}

TEST_F(SharedFile, MirrorRecordsAreToldApart)
{
    const qint64 id = windows->schedules().RecordIdAt(0);
    EXPECT_FALSE(IsMirrorRecord(windows->database(), id));
    windows->database().ExecuteSql(QStringLiteral("UPDATE sync_item SET Mirror = 1 WHERE RecordId = ?"),
                                   {Value(id)});
    EXPECT_TRUE(IsMirrorRecord(windows->database(), id));
    EXPECT_FALSE(IsMirrorRecord(windows->database(), 0));
}

} // namespace
} // namespace morvane
