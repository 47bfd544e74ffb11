#include "data/records/ScheduleDatabase.h"

#include "RecordsTestSupport.h"
#include "core/ProgramFolder.h"
#include "data/records/ScheduleFields.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace morvane {
namespace {

namespace f = schedule_fields;
using test::AddRecord;
using test::FileBytes;
using test::WriteFile;

struct FieldShape
{
    QString name;
    FieldType type;
    friend bool operator==(const FieldShape&, const FieldShape&) = default;
};

std::vector<FieldShape> ShapeOf(const TableDef& table)
{
    std::vector<FieldShape> shape;
    for (const FieldDef& field : table.fields)
        shape.push_back({field.name, field.type});
    return shape;
}

class ScheduleDatabaseTest : public ::testing::Test
{
protected:
    QString folder() const { return m_folder.path(); }
    QString dataPath() const { return DataFilePath(folder()); }

    OpenScheduleResult Open()
    {
        return OpenScheduleDatabase(folder(),
                                    [this](const UserMessage& m) { notices.push_back(m); });
    }

    std::vector<UserMessage> notices;

private:
    QTemporaryDir m_folder;
};

TEST_F(ScheduleDatabaseTest, FirstRunCreatesBothTablesInFileOrder)
{
    OpenScheduleResult result = Open();
    ASSERT_EQ(result.outcome, OpenOutcome::CreatedNew);
    ASSERT_TRUE(result.database);
    EXPECT_TRUE(QFileInfo::exists(dataPath()));

    Database& db = result.database->database();
    EXPECT_EQ(db.TableNames(), QStringList({"Schedule", "Memo"}));
    using T = FieldType;
    const std::vector<FieldShape> schedule{
        {"Type", T::Integer},      {"Year", T::Integer},     {"Month", T::Integer},
        {"Day", T::Integer},       {"Week", T::Integer},     {"DayOfTheWeek", T::Integer},
        {"BirthYear", T::Integer}, {"BirthPerson", T::Text}, {"StartTime", T::Text},
        {"EndTime", T::Text},      {"Alarm", T::Text},       {"Color", T::Long},
        {"Mark", T::Long},         {"Message", T::Text},     {"AlarmFlag", T::Text},
        {"FirstDate", T::Text},    {"LastDate", T::Text},    {"SkippedDates", T::Text},
    };
    EXPECT_EQ(ShapeOf(db.TableDefinition("Schedule")), schedule);
    const std::vector<FieldShape> memo{{"Title", T::Text}, {"Memo", T::Text}, {"Date", T::Text}};
    EXPECT_EQ(ShapeOf(db.TableDefinition("Memo")), memo);

    // Every Text field takes the empty string; capacities read back.
    Recordset& schedules = result.database->schedules();
    AddRecord(schedules, {{f::Message, ""}, {f::Alarm, ""}, {f::BirthPerson, ""}});
    EXPECT_EQ(schedules.Size(f::Message), text_capacity::Message);
    EXPECT_EQ(schedules.Size(f::SkippedDates), text_capacity::SkippedDates);
    EXPECT_EQ(result.database->memos().Size(memo_fields::Memo), text_capacity::Memo);
    EXPECT_TRUE(notices.empty());
}

TEST_F(ScheduleDatabaseTest, ReopeningKeepsRecordsAndOffersNothing)
{
    {
        OpenScheduleResult first = Open();
        AddRecord(first.database->schedules(), {{f::Type, 1}, {f::Message, "元旦"}});
    }
    OpenScheduleResult again = Open();
    ASSERT_EQ(again.outcome, OpenOutcome::Opened);
    EXPECT_EQ(again.database->schedules().RecordCount(), 1);
}

// The initial set is offered until it is answered: a first run killed while
// the offer is open (or during "作成") offers it again, an answered one never.
TEST_F(ScheduleDatabaseTest, AnUnansweredInitialSetIsOfferedAgainUntilSettled)
{
    {
        OpenScheduleResult first = Open();
        ASSERT_EQ(first.outcome, OpenOutcome::CreatedNew);
        EXPECT_TRUE(InitialSetPending(*first.database));
    }
    {
        OpenScheduleResult killed = Open();
        ASSERT_EQ(killed.outcome, OpenOutcome::CreatedNew);
        SettleInitialSet(*killed.database);
    }
    OpenScheduleResult answered = Open();
    EXPECT_EQ(answered.outcome, OpenOutcome::Opened);
    EXPECT_FALSE(InitialSetPending(*answered.database));
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files | QDir::Hidden), QStringList({"Morva.dat"}));
}

// Permission bits do not bind root; there the end-to-end test runs the
// program as another user.
TEST_F(ScheduleDatabaseTest, ADataFileThatCannotBeWrittenIsNamedAndLeftAlone)
{
    {
        OpenScheduleResult first = Open();
        AddRecord(first.database->schedules(), {{f::Message, "mine"}});
    }
    const QByteArray before = FileBytes(dataPath());
    const auto readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const auto enterable = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    for (const bool folderOnly : {false, true}) {
        SCOPED_TRACE(folderOnly ? "read-only folder" : "read-only file");
        if (folderOnly)
            QFile::setPermissions(folder(), readable | enterable);
        else
            QFile::setPermissions(dataPath(), readable);
        const bool bound = !QFileInfo(dataPath()).isWritable() || !IsFolderWritable(folder());
        const OpenScheduleResult result = bound ? Open() : OpenScheduleResult{};
        QFile::setPermissions(folder(), readable | enterable | QFile::WriteOwner);
        QFile::setPermissions(dataPath(), readable | QFile::WriteOwner);
        if (!bound)
            GTEST_SKIP() << "permissions do not bind this user (root)";
        EXPECT_EQ(result.outcome, OpenOutcome::Failed);
        EXPECT_TRUE(result.failure.text.contains(QDir::toNativeSeparators(dataPath())));
        EXPECT_TRUE(result.failure.text.contains(QStringLiteral("書き込め")) ||
                    result.failure.text.contains(QStringLiteral("読み取り専用")))
            << result.failure.text.toStdString();
        EXPECT_EQ(FileBytes(dataPath()), before);
    }
}

TEST(DataFilePathTest, AddsOneSeparatorOnly)
{
    EXPECT_EQ(DataFilePath("/opt/morvane"), QStringLiteral("/opt/morvane/Morva.dat"));
    EXPECT_EQ(DataFilePath("/"), QStringLiteral("/Morva.dat"));
    EXPECT_EQ(DataFilePath("C:\\"), QStringLiteral("C:\\Morva.dat"));
    EXPECT_EQ(LegacyFilePath("/opt/morvane/"), QStringLiteral("/opt/morvane/Cal.ini"));
}

// A file written by a version before marks: Schedule without Mark, no Memo.
void WriteFileWithoutMark(const QString& path, bool withRecords)
{
    std::unique_ptr<Database> db = Database::CreateDatabase(path);
    TableDef old = ScheduleTableDefinition();
    old.fields.resize(15); // up to AlarmFlag: the fields of that time
    std::erase_if(old.fields, [](const FieldDef& field) { return field.name == f::Mark; });
    db->CreateTable(old);
    if (withRecords) {
        std::unique_ptr<Recordset> rs = db->OpenRecordset(f::Table);
        AddRecord(*rs, {{f::Type, 0}, {f::Year, 2026}, {f::Message, "old one"}});
        AddRecord(*rs, {{f::Type, 4}, {f::Color, 12}, {f::Message, "old two"}});
    }
}

class MarkUpgradeTest : public ScheduleDatabaseTest, public ::testing::WithParamInterface<bool>
{
};

TEST_P(MarkUpgradeTest, AppendsMarkAsTheLastFieldAndAddsTheMemoTable)
{
    const bool withRecords = GetParam();
    WriteFileWithoutMark(dataPath(), withRecords);

    OpenScheduleResult result = Open();
    ASSERT_EQ(result.outcome, OpenOutcome::Opened);
    Database& db = result.database->database();
    const TableDef schedule = db.TableDefinition(f::Table);
    ASSERT_EQ(schedule.fields.size(), 18u);
    // Mark comes first, then the fields that came after it.
    EXPECT_EQ(schedule.fields[14].name, QStringLiteral("Mark"));
    EXPECT_EQ(schedule.fields[14].type, FieldType::Long);
    EXPECT_EQ(schedule.fields.back().name, QStringLiteral("SkippedDates"));
    EXPECT_TRUE(db.HasTable(memo_fields::Table));

    Recordset& rs = result.database->schedules();
    ASSERT_EQ(rs.RecordCount(), withRecords ? 2 : 0);
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext())
        EXPECT_TRUE(rs.GetValue("mark").isNull());
    if (withRecords) {
        rs.MoveFirst();
        EXPECT_EQ(rs.GetValue(f::Message).toString(), QStringLiteral("old one"));
    }
}

INSTANTIATE_TEST_SUITE_P(EmptyOrNot, MarkUpgradeTest, ::testing::Bool());

// A file of the version before first, last and skipped days: the fifteen
// fields, Mark among them.
TEST_F(ScheduleDatabaseTest, AFileWithoutDayBoundsGainsThemAtTheEndAndKeepsEveryValue)
{
    const TableDef current = ScheduleTableDefinition();
    TableDef old = current;
    old.fields.resize(15);
    ASSERT_EQ(old.fields.back().name, f::AlarmFlag);
    {
        std::unique_ptr<Database> db = Database::CreateDatabase(dataPath());
        db->CreateTable(old);
        CreateMemoTable(*db);
        std::unique_ptr<Recordset> rs = db->OpenRecordset(f::Table);
        AddRecord(*rs, {{f::Type, 0},
                        {f::Year, 0},
                        {f::Month, 0},
                        {f::Day, -1},
                        {f::Week, 0},
                        {f::DayOfTheWeek, 4},
                        {f::Color, 9},
                        {f::Mark, 2},
                        {f::Message, "水"}});
        AddRecord(*rs, {{f::Type, 1}, {f::Month, 5}, {f::Day, 5}, {f::Message, "こどもの日"}});
    }

    OpenScheduleResult result = Open();
    ASSERT_EQ(result.outcome, OpenOutcome::Opened) << result.failure.text.toStdString();
    EXPECT_EQ(ShapeOf(result.database->database().TableDefinition(f::Table)), ShapeOf(current));
    Recordset& rs = result.database->schedules();
    ASSERT_EQ(rs.RecordCount(), 2);
    rs.MoveFirst();
    EXPECT_EQ(rs.GetValue(f::DayOfTheWeek), Value(4));
    EXPECT_EQ(rs.GetValue(f::Mark), Value(2));
    EXPECT_EQ(rs.GetValue(f::Message), Value("水"));
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
        for (const QString& added : {f::FirstDate, f::LastDate, f::SkippedDates})
            EXPECT_TRUE(rs.GetValue(added).isNull()) << added.toStdString();
    }
    result.database->Close();
    EXPECT_EQ(Open().outcome, OpenOutcome::Opened); // once upgraded, opened as it is
}

TEST_F(ScheduleDatabaseTest, EveryStartArmsEveryAlarmAgain)
{
    {
        OpenScheduleResult first = Open();
        Recordset& rs = first.database->schedules();
        AddRecord(rs, {{f::Alarm, "09:00"}, {f::AlarmFlag, "2026/12/7"}, {f::Message, "a"}});
        AddRecord(rs, {{f::Alarm, "10:00"}, {f::Message, "b"}});
        AddRecord(rs, {{f::Alarm, "11:00"}, {f::AlarmFlag, ""}, {f::Message, "c"}});
    }
    OpenScheduleResult again = Open();
    Recordset& rs = again.database->schedules();
    QStringList messages;
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
        EXPECT_TRUE(rs.GetValue(f::AlarmFlag).isNull());
        messages.append(rs.GetValue(f::Message).toString() + rs.GetValue(f::Alarm).toString());
    }
    EXPECT_EQ(messages, QStringList({"a09:00", "b10:00", "c11:00"}));
}

// ---------------------------------------------------------------------------
// Files that are not ours are never written

void WriteGarbage(const QString& path)
{
    QByteArray bytes;
    for (int i = 0; i < 4096; ++i)
        bytes.append(char((i * 37 + 11) % 251));
    WriteFile(path, bytes);
}

void WriteEmptyFile(const QString& path)
{
    WriteFile(path, QByteArray());
}

void MakeFolder(const QString& path)
{
    QDir().mkpath(path);
}

void WriteForeignSqlite(const QString& path)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "CREATE TABLE Contacts (Name TEXT); INSERT INTO Contacts "
                           "VALUES ('x');",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
}

void WriteScheduleWithoutMessage(const QString& path)
{
    std::unique_ptr<Database> db = Database::CreateDatabase(path);
    TableDef broken = ScheduleTableDefinition();
    std::erase_if(broken.fields, [](const FieldDef& field) { return field.name == f::Message; });
    db->CreateTable(broken);
}

struct ForeignFileCase
{
    const char* name;
    void (*write)(const QString&);
    const char16_t* reason; // part of the message
};

void PrintTo(const ForeignFileCase& c, std::ostream* os)
{
    *os << c.name;
}

class ForeignDataFileTest : public ScheduleDatabaseTest,
                            public ::testing::WithParamInterface<ForeignFileCase>
{
};

TEST_P(ForeignDataFileTest, IsLeftByteForByteWithAMessageNamingFileAndReason)
{
    const ForeignFileCase& c = GetParam();
    c.write(dataPath());
    // A legacy file beside it must not change anything either.
    WriteFile(LegacyFilePath(folder()), "9999/01/01,元旦,12,\r\n");
    const QByteArray before = FileBytes(dataPath());
    const QStringList entriesBefore = QDir(folder()).entryList(QDir::Files);

    OpenScheduleResult result = Open();

    EXPECT_EQ(result.outcome, OpenOutcome::Failed);
    EXPECT_FALSE(result.database);
    EXPECT_EQ(result.failure.icon, MessageIcon::Critical);
    EXPECT_TRUE(result.failure.text.contains(QDir::toNativeSeparators(dataPath())))
        << result.failure.text.toStdString();
    EXPECT_TRUE(result.failure.text.contains(QString::fromUtf16(c.reason)))
        << result.failure.text.toStdString();
    EXPECT_EQ(FileBytes(dataPath()), before);
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files), entriesBefore);
    EXPECT_TRUE(notices.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, ForeignDataFileTest,
    ::testing::Values(ForeignFileCase{"garbage", WriteGarbage, u"壊れています"},
                      ForeignFileCase{"folder", MakeFolder, u"フォルダー"},
                      ForeignFileCase{"foreign SQLite", WriteForeignSqlite, u"Schedule"},
                      ForeignFileCase{"Schedule without Message", WriteScheduleWithoutMessage,
                                      u"Message"}),
    [](const auto& info) {
        QString name = QString::fromLatin1(info.param.name);
        name.replace(' ', '_');
        return name.toStdString();
    });

// A file of no bytes holds no data (a start that ended while creating it
// left it): it is made anew, from Cal.ini when there is one, instead of
// blocking every later start.
TEST_F(ScheduleDatabaseTest, AnEmptyFileIsTakenAsNoFile)
{
    for (const bool legacy : {false, true}) {
        WriteEmptyFile(dataPath());
        if (legacy)
            WriteFile(LegacyFilePath(folder()), "2026/12/24,Eve,12,\r\n");
        OpenScheduleResult result = Open();
        ASSERT_TRUE(result.ok()) << legacy << result.failure.text.toStdString();
        EXPECT_EQ(result.outcome, legacy ? OpenOutcome::ImportedLegacy : OpenOutcome::CreatedNew);
        EXPECT_EQ(result.database->schedules().RecordCount(), legacy ? 1 : 0);
        result.database->Close();
        EXPECT_GT(QFileInfo(dataPath()).size(), 0);
        EXPECT_EQ(Open().outcome, legacy ? OpenOutcome::Opened : OpenOutcome::CreatedNew);
        QFile::remove(dataPath());
    }
}

TEST_F(ScheduleDatabaseTest, AFileInUseIsReportedAndStaysWithItsOwner)
{
    OpenScheduleResult owner = Open();
    AddRecord(owner.database->schedules(), {{f::Message, "mine"}});

    OpenScheduleResult second = Open();
    EXPECT_EQ(second.outcome, OpenOutcome::Failed);
    EXPECT_TRUE(second.failure.text.contains(QStringLiteral("使用中")))
        << second.failure.text.toStdString();

    AddRecord(owner.database->schedules(), {{f::Message, "still mine"}});
    EXPECT_EQ(owner.database->schedules().RecordCount(), 2);
}

TEST_F(ScheduleDatabaseTest, AFolderThatCannotHoldTheFileFailsWithAMessage)
{
    const QString missing = folder() + "/no/such/folder";
    OpenScheduleResult result = OpenScheduleDatabase(missing);
    EXPECT_EQ(result.outcome, OpenOutcome::Failed);
    EXPECT_TRUE(result.failure.text.contains(QDir::toNativeSeparators(DataFilePath(missing))));
    EXPECT_FALSE(QFileInfo::exists(DataFilePath(missing)));
}

} // namespace
} // namespace morvane
