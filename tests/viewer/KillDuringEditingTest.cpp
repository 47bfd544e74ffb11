// The data file when the program is killed while the detail box stores
// keystrokes and rows are deleted: still a whole database, holding every
// change that was reported stored.

#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleDatabase.h"
#include "data/records/ScheduleFields.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>
#include <sqlite3.h>

namespace morvane {
namespace {

QString IntegrityCheck(const QString& path)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        return QStringLiteral("cannot open");
    }
    QStringList result;
    sqlite3_stmt* statement = nullptr;
    // Read-write: a journal left by the killed process is rolled back first,
    // as the program does when it opens the file.
    if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &statement, nullptr) != SQLITE_OK)
        result << QString::fromUtf8(sqlite3_errmsg(db));
    while (statement && sqlite3_step(statement) == SQLITE_ROW)
        result << QString::fromUtf8(
            reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return result.join(QLatin1Char(';'));
}

struct Pending
{
    char kind = 0; // 'W' a text, 'D' a deletion, 0 none
    qint64 id = 0;
    QString text;
};

TEST(KillDuringEditing, DataFileStaysWholeAndKeepsEveryReportedChange)
{
    int argc = 1;
    char name[] = "viewer_kill_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    std::map<qint64, QString> expected;
    {
        auto database = CreateScheduleDatabase(DataFilePath(dir.path()));
        CreateMemoTable(*database);
        ScheduleDatabase book(std::move(database));
        Recordset& rs = book.schedules();
        for (int i = 0; i < 30; ++i) {
            rs.AddNew();
            rs.SetValue(schedule_fields::Type, 0);
            rs.SetValue(schedule_fields::Year, 2026);
            rs.SetValue(schedule_fields::Month, 5);
            rs.SetValue(schedule_fields::Day, 1 + i % 28);
            rs.SetValue(schedule_fields::Message, QStringLiteral("r%1").arg(i));
            rs.Update();
            rs.MoveLast();
            expected[rs.RecordId()] = QStringLiteral("r%1").arg(i);
        }
    }
    const QString driver =
        QCoreApplication::applicationDirPath() + QStringLiteral("/viewer_kill_driver");
    std::mt19937 random(20260510);
    int reported = 0;
    for (int round = 0; round < 12; ++round) {
        QProcess process;
        process.start(driver, {dir.path(), QString::number(round)});
        ASSERT_TRUE(process.waitForStarted());
        ASSERT_TRUE(process.waitForReadyRead(10000)) << "round " << round;
        QThread::msleep(20 + random() % 300);
        process.kill();
        process.waitForFinished();

        Pending pending;
        const QList<QByteArray> lines = process.readAllStandardOutput().split('\n');
        // The last piece is what followed the last newline: not a line.
        for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
            const QStringList parts = QString::fromUtf8(lines[i]).split(QLatin1Char(' '));
            if (parts[0] == QStringLiteral("P")) {
                pending = {parts[1][0].toLatin1(), parts[2].toLongLong(),
                           parts.size() > 3 ? parts[3] : QString()};
            } else if (parts[0] == QStringLiteral("S")) {
                if (pending.kind == 'W')
                    expected[pending.id] = pending.text;
                else if (pending.kind == 'D')
                    expected.erase(pending.id);
                pending = {};
                ++reported;
            } else if (parts[0] == QStringLiteral("C")) {
                expected[parts[1].toLongLong()] = parts[2];
                ++reported;
            }
        }

        ASSERT_EQ(IntegrityCheck(DataFilePath(dir.path())), QStringLiteral("ok"))
            << "round " << round;
        OpenScheduleResult opened = OpenScheduleDatabase(dir.path());
        ASSERT_TRUE(opened.ok());
        Recordset& rs = opened.database->schedules();
        std::map<qint64, QString> stored;
        for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext())
            stored[rs.RecordId()] = rs.GetValue(schedule_fields::Message).toString();
        for (const auto& [id, text] : expected) {
            const auto found = stored.find(id);
            if (pending.kind == 'D' && pending.id == id && found == stored.end())
                continue; // the announced deletion went through
            ASSERT_NE(found, stored.end()) << "round " << round << " lost record " << id;
            if (pending.kind == 'W' && pending.id == id && found->second == pending.text)
                continue; // the announced keystroke went through
            EXPECT_EQ(found->second, text) << "round " << round << " record " << id;
        }
        // Records created without a report yet are allowed; take the file as
        // the next round's start.
        expected = stored;
    }
    EXPECT_GT(reported, 12);
}

} // namespace
} // namespace morvane
