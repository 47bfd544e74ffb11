// The data file: what survives a close, what is on disk before a call
// returns, locking, schema changes and the errors of opening.

#include "EngineTestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace morvane {
namespace {

using testing_support::EngineFixture;
using testing_support::ErrorNumberOf;

class DatabaseFileTest : public EngineFixture
{
protected:
    static QByteArray ReadAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static void WriteAll(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // What a plain SQLite client gets when it reads the file's tables.
    static int ForeignReadResult(const QString& path)
    {
        sqlite3* db = nullptr;
        sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        const int rc =
            sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        return rc;
    }
};

TEST_F(DatabaseFileTest, DataAndDefinitionsSurviveCloseAndReopen)
{
    m_rs->AddNew();
    m_rs->SetValue("Type", -1);
    m_rs->SetValue("Color", 2147483647);
    m_rs->SetValue("Message", "会議 'quoted'");
    m_rs->SetValue("Alarm", "");
    m_rs->Update();
    Reopen();

    EXPECT_EQ(m_db->TableNames(), QStringList({"Plan"}));
    const TableDef plan = m_db->TableDefinition("PLAN");
    ASSERT_EQ(plan.fields.size(), 6u);
    const QStringList names = {"Type", "Year", "Color", "Message", "Alarm", "Code"};
    const FieldType types[] = {FieldType::Integer, FieldType::Integer, FieldType::Long,
                               FieldType::Text,    FieldType::Text,    FieldType::Text};
    const int sizes[] = {2, 2, 4, 20, kDefaultTextSize, 8};
    const bool zeroLength[] = {false, false, false, true, true, false};
    for (size_t i = 0; i < plan.fields.size(); ++i) {
        EXPECT_EQ(plan.fields[i].name, names[qsizetype(i)]);
        EXPECT_EQ(plan.fields[i].type, types[i]) << i;
        EXPECT_EQ(plan.fields[i].size, sizes[i]) << i;
        EXPECT_EQ(plan.fields[i].allowZeroLength, zeroLength[i]) << i;
    }

    EXPECT_EQ(m_rs->GetValue("Type"), Value(-1));
    EXPECT_TRUE(m_rs->GetValue("Year").isNull());
    EXPECT_EQ(m_rs->GetValue("Color"), Value(2147483647));
    EXPECT_EQ(m_rs->GetValue("Message"), Value("会議 'quoted'"));
    EXPECT_EQ(m_rs->GetValue("Alarm"), Value("")) << "empty text is not Null";
    EXPECT_TRUE(m_rs->GetValue("Code").isNull());
}

TEST_F(DatabaseFileTest, EachUpdateAndDeleteIsInTheFileBeforeItReturns)
{
    // A copy taken while the database is still open is what a killed
    // process leaves behind.
    const auto snapshot = [&](const QString& name) {
        const QString copy = m_dir.filePath(name);
        EXPECT_TRUE(QFile::copy(m_path, copy));
        auto db = Database::OpenDatabase(copy);
        auto rs = db->OpenRecordset("Plan");
        QStringList messages;
        for (rs->MoveFirst(); !rs->IsEOF(); rs->MoveNext())
            messages.append(rs->GetValue("Message").toString());
        return messages;
    };
    Append("first");
    Append("second");
    EXPECT_EQ(snapshot("after-add.dat"), QStringList({"first", "second"}));
    m_rs->MoveFirst();
    m_rs->Edit();
    m_rs->SetValue("Message", "changed");
    m_rs->Update();
    m_rs->MoveLast();
    m_rs->Delete();
    EXPECT_EQ(snapshot("after-delete.dat"), QStringList({"changed"}));
}

TEST_F(DatabaseFileTest, NoOtherConnectionCanReadWhileOpen)
{
    Append("secret");
    EXPECT_EQ(ForeignReadResult(m_path) & 0xff, SQLITE_BUSY);
    EXPECT_EQ(ErrorNumberOf([&] { Database::OpenDatabase(m_path); }), 3051);
    m_rs.reset();
    m_db->Close();
    EXPECT_EQ(ForeignReadResult(m_path), SQLITE_OK);
}

TEST_F(DatabaseFileTest, ReopenedFileIsLockedFromTheStart)
{
    m_rs.reset();
    m_db.reset();
    m_db = Database::OpenDatabase(m_path);
    EXPECT_EQ(ForeignReadResult(m_path) & 0xff, SQLITE_BUSY);
}

TEST_F(DatabaseFileTest, ABatchIsSavedWholeOrUndoneWhole)
{
    Append("kept");
    m_db->BeginTrans();
    EXPECT_TRUE(m_db->InTransaction());
    Append("batch 1");
    Append("batch 2");
    m_rs->MoveFirst();
    m_rs->Delete();
    EXPECT_EQ(Messages(), QStringList({"batch 1", "batch 2"})) << "a batch reads its own writes";
    m_db->Rollback();
    EXPECT_FALSE(m_db->InTransaction());
    EXPECT_TRUE(m_rs->IsEOF()) << "positions from inside the batch mean nothing after it";
    EXPECT_EQ(Messages(), QStringList({"kept"}));

    m_db->BeginTrans();
    Append("saved 1");
    Append("saved 2");
    m_db->CommitTrans();
    Reopen();
    EXPECT_EQ(Messages(), QStringList({"kept", "saved 1", "saved 2"}));

    EXPECT_EQ(ErrorNumberOf([&] { m_db->CommitTrans(); }), 3034);
    EXPECT_EQ(ErrorNumberOf([&] { m_db->Rollback(); }), 3034);
    m_db->BeginTrans();
    EXPECT_EQ(ErrorNumberOf([&] { m_db->BeginTrans(); }), 3219);
    EXPECT_EQ(ErrorNumberOf([&] { m_db->AppendField("Plan", LongField("Mark")); }), 3219);
    EXPECT_EQ(ErrorNumberOf([&] { m_db->CreateTable(TableDef{"T", {LongField("x")}}); }), 3219);
    m_db->Close(); // an open batch is undone by closing
    m_db = Database::OpenDatabase(m_path);
    EXPECT_EQ(m_db->OpenRecordset("Plan")->RecordCount(), 3);
    EXPECT_EQ(m_db->TableDefinition("Plan").fields.size(), 6u);
}

TEST_F(DatabaseFileTest, AppendedFieldIsNullInExistingRecordsAndPersists)
{
    Append("old record");
    m_rs->Close();
    m_db->AppendField("plan", LongField("Mark"));
    m_rs = m_db->OpenRecordset("Plan");
    EXPECT_EQ(m_rs->FieldCount(), 7);
    m_rs->MoveFirst();
    EXPECT_TRUE(m_rs->GetValue("mark").isNull());
    m_rs->Edit();
    m_rs->SetValue("Mark", "5");
    m_rs->Update();
    Append("new record");
    Reopen();
    m_rs->MoveFirst();
    EXPECT_EQ(m_rs->GetValue("Mark"), Value(5));
    EXPECT_EQ(m_db->TableDefinition("Plan").fields.back().name, "Mark");

    EXPECT_EQ(ErrorNumberOf([&] { m_db->AppendField("Plan", LongField("MARK")); }), 3191);
    EXPECT_EQ(ErrorNumberOf([&] { m_db->AppendField("Memo", TextField("Title")); }), 3078);
}

TEST_F(DatabaseFileTest, AFieldAppendedWhileARecordsetIsOpenReachesIt)
{
    Append("a");
    m_db->AppendField("Plan", TextField("Note", 10, true));
    m_rs->MoveFirst();
    EXPECT_TRUE(m_rs->GetValue("Note").isNull());
    m_rs->Edit();
    m_rs->SetValue("Note", "n");
    m_rs->Update();
    EXPECT_EQ(m_rs->GetValue("Note"), Value("n"));
}

TEST_F(DatabaseFileTest, FileHoldsExactlyTheDefinedTablesWithReadableTypes)
{
    m_db->CreateTable(TableDef{"Memo", {TextField("Title", 0, true)}});
    m_rs.reset();
    m_db->Close();
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(m_path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr),
              SQLITE_OK);
    QStringList found;
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT m.name, p.name, p.type FROM sqlite_master m, "
                       "pragma_table_info(m.name) p ORDER BY m.rowid, p.cid",
                       -1, &statement, nullptr);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        QStringList row;
        for (int i = 0; i < 3; ++i)
            row.append(QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(statement, i))));
        found.append(row.join(' '));
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    EXPECT_EQ(found, QStringList({"Plan Type SMALLINT", "Plan Year SMALLINT", "Plan Color INTEGER",
                                  "Plan Message TEXT(20)", "Plan Alarm TEXT(255)",
                                  "Plan Code TEXT(8)", "Memo Title TEXT(255)"}));
}

TEST_F(DatabaseFileTest, OpeningAndDefiningReportTheirErrorNumbers)
{
    const QString missing = m_dir.filePath("none.dat");
    const struct
    {
        const char* what;
        std::function<void()> action;
        int number;
    } cases[] = {
        {"missing file", [&] { Database::OpenDatabase(missing); }, 53},
        {"create over a file", [&] { Database::CreateDatabase(m_path); }, 3204},
        {"folder as file", [&] { Database::OpenDatabase(m_dir.path()); }, 3049},
        {"missing table", [&] { m_db->OpenRecordset("Memo"); }, 3078},
        {"missing definition", [&] { m_db->TableDefinition("Memo"); }, 3078},
        {"table twice",
         [&] {
             m_db->CreateTable(TableDef{"PLAN", {LongField("x")}});
         },
         3010},
        {"field twice",
         [&] {
             m_db->CreateTable(TableDef{"T", {LongField("x"), TextField("X")}});
         },
         3191},
        {"no fields",
         [&] {
             m_db->CreateTable(TableDef{"T", {}});
         },
         3001},
        {"bracket in name",
         [&] {
             m_db->CreateTable(TableDef{"T[1]", {LongField("x")}});
         },
         3125},
        {"empty field name", [&] { m_db->AppendField("Plan", LongField("")); }, 3125},
        {"reserved field name", [&] { m_db->AppendField("Plan", LongField("rowid")); }, 3125},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorNumberOf(c.action), c.number) << c.what;
    EXPECT_FALSE(QFile::exists(missing)) << "opening never creates";
    EXPECT_FALSE(m_db->HasTable("T"));
}

TEST_F(DatabaseFileTest, AFileThatIsNotADatabaseIsRefusedAndLeftUntouched)
{
    const QString damaged = m_dir.filePath("damaged.dat");
    QByteArray bytes = "\"2026/12/08\",\"not a database\",12,\"09:00\"\r\n";
    bytes.append(QByteArray(4096, 'x'));
    WriteAll(damaged, bytes);
    try {
        Database::OpenDatabase(damaged);
        FAIL() << "opened";
    } catch (const EngineError& error) {
        EXPECT_EQ(error.number(), 3049);
        EXPECT_TRUE(error.message().contains("damaged.dat")) << error.what();
    }
    EXPECT_EQ(ReadAll(damaged), bytes);
    EXPECT_FALSE(QFile::exists(damaged + "-journal"));
}

TEST_F(DatabaseFileTest, AnEmptyFileOpensWithoutTablesAndStaysEmpty)
{
    // An empty file is a database without tables to SQLite; opening it must
    // not quietly turn it into something else.
    const QString empty = m_dir.filePath("empty.dat");
    WriteAll(empty, {});
    {
        auto db = Database::OpenDatabase(empty);
        EXPECT_TRUE(db->TableNames().isEmpty());
        EXPECT_EQ(ErrorNumberOf([&] { db->OpenRecordset("Schedule"); }), 3078);
    }
    EXPECT_EQ(QFileInfo(empty).size(), 0);
}

// Another program may leave ids anywhere, up to the largest one. Appending
// after such a row must neither overflow nor fail, and the records keep
// their order; ids are settled when the file is opened and then stay put.
TEST_F(DatabaseFileTest, AppendingAfterTheLargestIdKeepsWorkingAndKeepsTheOrder)
{
    Append("first");
    Append("second");
    Append("third");
    m_rs.reset();
    m_db.reset();
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(m_path.toUtf8().constData(), &db), SQLITE_OK);
        ASSERT_EQ(
            sqlite3_exec(db,
                         "UPDATE Plan SET rowid = -7 WHERE Message = 'first';"
                         "UPDATE Plan SET rowid = 9223372036854775807 WHERE Message = 'third';",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
        sqlite3_close(db);
    }

    for (const char* largest : {"the file as edited", "after a restart"}) {
        SCOPED_TRACE(largest);
        Reopen();
        const qint64 firstId = m_rs->RecordIdAt(0);
        const qint64 lastId = m_rs->RecordIdAt(m_rs->RecordCount() - 1);
        Append("appended");
        Append("appended again");
        EXPECT_EQ(m_rs->RecordIdAt(0), firstId) << "ids change while the file is open";
        EXPECT_EQ(m_rs->PositionOfRecordId(lastId), m_rs->RecordCount() - 3);
        EXPECT_LT(lastId, m_rs->RecordIdAt(m_rs->RecordCount() - 2));
    }
    Reopen();
    EXPECT_EQ(Messages(), QStringList({"first", "second", "third", "appended", "appended again",
                                       "appended", "appended again"}));
}

} // namespace
} // namespace morvane
