#include "sync/CalendarSync.h"

#include "CannedServer.h"
#include "core/ActivityLog.h"
#include "core/AnsiText.h"
#include "core/Clock.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleDatabase.h"
#include "interchange/IcsApply.h"
#include "interchange/IcsResource.h"
#include "sync/SyncItems.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace morvane {
namespace {

using test::CannedServer;

ScheduleEntry OneOff(const QString& message, int day = 15)
{
    ScheduleEntry e;
    e.year = 2026;
    e.month = 12;
    e.day = day;
    e.message = message;
    return e;
}

QByteArray Event(const QString& uid, const QString& summary, const QString& rule = {})
{
    QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//other//EN\r\nBEGIN:VEVENT\r\nUID:" +
                      uid.toUtf8() + "\r\nDTSTART;VALUE=DATE:20261215\r\nSUMMARY:" +
                      summary.toUtf8() + "\r\n";
    if (!rule.isEmpty())
        text += "RRULE:" + rule.toUtf8() + "\r\n";
    return text + "END:VEVENT\r\nEND:VCALENDAR\r\n";
}

class CalendarSyncTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        OpenScheduleResult opened = OpenScheduleDatabase(m_folder.path());
        ASSERT_TRUE(opened.ok());
        m_db = std::move(opened.database);
    }

    SyncOutcome Sync()
    {
        CalendarSync sync(*m_db, server, server.url(), clock, m_folder.path());
        return sync.run();
    }
    qint64 Add(const ScheduleEntry& entry) { return SyncItems(*m_db).add(entry); }
    void Change(qint64 id, const QString& message)
    {
        ScheduleEntry e = *SyncItems(*m_db).entryOf(id);
        e.message = message;
        SyncItems(*m_db).overwrite(id, e);
    }
    void Remove(qint64 id) { SyncItems(*m_db).removeRecord(id); }
    // Every schedule's text, in table order.
    QStringList Messages()
    {
        QStringList messages;
        Recordset& rs = m_db->schedules();
        for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext())
            messages.append(ReadScheduleEntry(rs).message);
        return messages;
    }
    // What the file holds for sync, to see that a failed sync changed nothing.
    QString Bookkeeping()
    {
        QStringList rows;
        for (const char* table : {"sync_item", "sync_journal", "sync_collection"}) {
            for (const auto& row : m_db->database().QuerySql(
                     QStringLiteral("SELECT * FROM %1").arg(QLatin1String(table)))) {
                QStringList fields;
                for (const Value& v : row)
                    fields.append(v.toString());
                rows.append(fields.join(u'|'));
            }
        }
        return Messages().join(u';') + u'#' + rows.join(u';');
    }
    QStringList ServerSummaries() const
    {
        QStringList summaries;
        for (const auto& [path, resource] : server.resources) {
            const QString text = QString::fromUtf8(resource.data);
            const qsizetype at = text.indexOf(QLatin1String("SUMMARY:"));
            summaries.append(text.mid(at + 8, text.indexOf(u'\r', at) - at - 8));
        }
        summaries.sort();
        return summaries;
    }
    QString Log() const
    {
        QFile file(LogFilePath(m_folder.path()));
        return file.open(QIODevice::ReadOnly) ? FromAnsi(file.readAll()) : QString();
    }
    std::unique_ptr<ScheduleDatabase>& db() { return m_db; }

    CannedServer server;
    FixedClock clock{QDateTime(QDate(2026, 12, 11), QTime(9, 0))};

private:
    QTemporaryDir m_folder;
    std::unique_ptr<ScheduleDatabase> m_db;
};

TEST_F(CalendarSyncTest, ImportedSchedulesAreJournaledAndSentOnce)
{
    const IcsApplyResult applied =
        ApplyIcsEntries(db()->database(), db()->schedules(), {OneOff("a"), OneOff("b", 16)});
    ASSERT_TRUE(applied.ok());
    EXPECT_EQ(db()->database().QuerySql(QStringLiteral("SELECT count(*) FROM sync_journal"))[0][0].toInt(), 2);

    SyncOutcome first = Sync();
    ASSERT_TRUE(first.ok()) << first.failure.toStdString();
    EXPECT_EQ(first.counts.sent, 2);
    EXPECT_EQ(ServerSummaries(), QStringList({"a", "b"}));

    server.log.clear();
    const SyncOutcome second = Sync();
    EXPECT_EQ(second.counts.sent + second.counts.received, 0);
    // Nothing to do takes one request.
    EXPECT_EQ(server.log.size(), 1u);
}

TEST_F(CalendarSyncTest, ALostAnswerToAPutNeverDoublesTheEvent)
{
    Add(OneOff("once"));
    server.loseAnswer = [](const DavRequest& r) { return r.method == "PUT"; };
    EXPECT_FALSE(Sync().ok());
    ASSERT_EQ(server.resources.size(), 1u); // the server took it

    server.loseAnswer = nullptr;
    const SyncOutcome again = Sync();
    ASSERT_TRUE(again.ok()) << again.failure.toStdString();
    EXPECT_EQ(server.resources.size(), 1u);
    EXPECT_EQ(Messages(), QStringList{"once"});
    EXPECT_TRUE(db()->database().QuerySql(QStringLiteral("SELECT * FROM sync_journal")).empty());
}

TEST_F(CalendarSyncTest, ADeletionAfterALostAnswerToAPutReachesTheServer)
{
    const qint64 id = Add(OneOff("short-lived"));
    Add(OneOff("kept", 16));
    server.loseAnswer = [](const DavRequest& r) { return r.method == "PUT"; };
    EXPECT_FALSE(Sync().ok());
    ASSERT_EQ(server.resources.size(), 1u); // took the first, unknown here

    server.loseAnswer = nullptr;
    Remove(id);
    const SyncOutcome again = Sync();
    ASSERT_TRUE(again.ok()) << again.failure.toStdString();
    EXPECT_EQ(ServerSummaries(), QStringList{"kept"});
    EXPECT_EQ(Messages(), QStringList{"kept"});
    const SyncOutcome settled = Sync();
    EXPECT_EQ(settled.counts.received + settled.counts.sent, 0);
    EXPECT_EQ(Messages(), QStringList{"kept"});
}

// The server's version is not another side's change when it is what this
// file sent itself (the answer was lost to a kill) or what was agreed: the
// newer change here goes out, with no conflict.
TEST_F(CalendarSyncTest, AChangeHereAfterOwnVersionOnTheServerIsNoConflict)
{
    const qint64 id = Add(OneOff("v1"));
    ASSERT_TRUE(Sync().ok());
    Change(id, QStringLiteral("v2"));
    server.loseAnswer = [](const DavRequest& r) { return r.method == "PUT"; };
    EXPECT_FALSE(Sync().ok());
    ASSERT_EQ(ServerSummaries(), QStringList{"v2"}); // sent, unknown here
    server.loseAnswer = nullptr;

    Change(id, QStringLiteral("v3"));
    const SyncOutcome again = Sync();
    ASSERT_TRUE(again.ok()) << again.failure.toStdString();
    EXPECT_EQ(again.counts.conflicts, 0);
    EXPECT_EQ(Messages(), QStringList{"v3"});
    EXPECT_EQ(ServerSummaries(), QStringList{"v3"});
    EXPECT_FALSE(Log().contains(QStringLiteral("競合")));
}

TEST_F(CalendarSyncTest, AChangeHereAfterTheServerRewroteTheAgreedVersionIsNoConflict)
{
    const qint64 id = Add(OneOff("v1"));
    ASSERT_TRUE(Sync().ok());
    ASSERT_EQ(server.resources.size(), 1u);
    // The same event stored again (a new ETag, the same schedule).
    const QString path = server.resources.begin()->first;
    server.store(path.mid(qsizetype(strlen(CannedServer::kPath))),
                 server.resources.begin()->second.data);

    Change(id, QStringLiteral("v2"));
    const SyncOutcome again = Sync();
    ASSERT_TRUE(again.ok()) << again.failure.toStdString();
    EXPECT_EQ(again.counts.conflicts, 0);
    EXPECT_EQ(Messages(), QStringList{"v2"});
    EXPECT_EQ(ServerSummaries(), QStringList{"v2"});
}

TEST_F(CalendarSyncTest, AnotherProgramsChangeKeepingOurMarkIsStillAConflict)
{
    const qint64 id = Add(OneOff("v1"));
    ASSERT_TRUE(Sync().ok());
    const QString path = server.resources.begin()->first;
    QByteArray edited = server.resources.begin()->second.data;
    edited.replace("SUMMARY:v1", "SUMMARY:theirs");
    ASSERT_TRUE(edited.contains("X-MORVANE-SENT:"));
    server.store(path.mid(qsizetype(strlen(CannedServer::kPath))), edited);

    Change(id, QStringLiteral("mine"));
    const SyncOutcome again = Sync();
    ASSERT_TRUE(again.ok()) << again.failure.toStdString();
    EXPECT_EQ(again.counts.conflicts, 1);
    EXPECT_EQ(Messages(), QStringList({"theirs", "（競合）mine"}));
}

TEST_F(CalendarSyncTest, BothChangedKeepsTheServersVersionAndTheLocalOneAsAConflict)
{
    const qint64 id = Add(OneOff("meeting"));
    ASSERT_TRUE(Sync().ok());
    const QString path = server.resources.begin()->first;
    const QString uid = EventResourceUid(server.resources.begin()->second.data);
    server.store(path.mid(qsizetype(strlen(CannedServer::kPath))), Event(uid, "meeting at 10"));
    Change(id, QStringLiteral("meeting at 11"));

    const SyncOutcome outcome = Sync();
    ASSERT_TRUE(outcome.ok()) << outcome.failure.toStdString();
    EXPECT_EQ(outcome.counts.conflicts, 1);
    EXPECT_EQ(Messages(), QStringList({"meeting at 10", "（競合）meeting at 11"}));
    EXPECT_EQ(ServerSummaries(), QStringList({"meeting at 10", "（競合）meeting at 11"}));
    EXPECT_TRUE(Log().contains(QStringLiteral("同期の競合"))) << Log().toStdString();
}

TEST_F(CalendarSyncTest, APutRefusedAsOutdatedIsAConflictToo)
{
    const qint64 id = Add(OneOff("meeting"));
    ASSERT_TRUE(Sync().ok());
    Change(id, QStringLiteral("mine"));
    // Changed on the server between the listing and the PUT.
    bool changedThere = false;
    server.before = [this, &changedThere](const DavRequest& r) -> std::optional<DavResponse> {
        if (r.method == "PUT" && !changedThere) {
            changedThere = true;
            const QString path = server.resources.begin()->first;
            server.store(path.mid(qsizetype(strlen(CannedServer::kPath))),
                         Event(EventResourceUid(server.resources.begin()->second.data), "theirs"));
        }
        return std::nullopt;
    };
    const SyncOutcome outcome = Sync();
    ASSERT_TRUE(outcome.ok()) << outcome.failure.toStdString();
    EXPECT_EQ(outcome.counts.conflicts, 1);
    EXPECT_EQ(Messages(), QStringList({"theirs", "（競合）mine"}));
}

TEST_F(CalendarSyncTest, AChangeWinsOverADeletionOnEitherSide)
{
    const qint64 deletedThere = Add(OneOff("changed here"));
    const qint64 deletedHere = Add(OneOff("changed there", 16));
    ASSERT_TRUE(Sync().ok());
    QString thereName, hereName;
    for (const auto& [path, resource] : server.resources) {
        const QString name = path.mid(qsizetype(strlen(CannedServer::kPath)));
        (resource.data.contains("changed here") ? thereName : hereName) = name;
    }
    server.erase(thereName);
    Change(deletedThere, QStringLiteral("changed here!"));
    server.store(hereName, Event(EventResourceUid(server.resources[CannedServer::kPath + hereName].data),
                                 "changed there!"));
    Remove(deletedHere);

    const SyncOutcome outcome = Sync();
    ASSERT_TRUE(outcome.ok()) << outcome.failure.toStdString();
    EXPECT_EQ(outcome.counts.conflicts, 2);
    QStringList messages = Messages();
    messages.sort();
    EXPECT_EQ(messages, QStringList({"changed here!", "changed there!"}));
    EXPECT_EQ(ServerSummaries(), QStringList({"changed here!", "changed there!"}));
}

TEST_F(CalendarSyncTest, AnEventAScheduleCannotHoldArrivesAsItsDatesAndIsNotSentBack)
{
    server.store("biweekly.ics", Event("other-1", "every other", "FREQ=WEEKLY;INTERVAL=2;COUNT=3"));
    ASSERT_TRUE(Sync().ok());
    EXPECT_EQ(Messages(), QStringList({"every other", "every other", "every other"}));
    const SyncOutcome again = Sync();
    EXPECT_EQ(again.counts.sent, 0);
    EXPECT_EQ(server.resources.size(), 1u);
    // Gone from the server: its dates go here.
    server.erase("biweekly.ics");
    ASSERT_TRUE(Sync().ok());
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(CalendarSyncTest, TheDatesOfAnEventMoveOnWithTheYear)
{
    server.store("monthly.ics", Event("other-2", "third Monday and Friday",
                                      "FREQ=MONTHLY;BYDAY=3MO,3FR"));
    ASSERT_TRUE(Sync().ok());
    const auto years = [this] {
        QSet<int> found;
        Recordset& rs = db()->schedules();
        for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext())
            found.insert(ReadScheduleEntry(rs).year);
        return found;
    };
    EXPECT_EQ(years(), QSet<int>({2026, 2027}));
    EXPECT_EQ(Messages().size(), 27); // the start, 18 and 21 December, two dates a month
    clock.set(QDateTime(QDate(2027, 1, 4), QTime(9, 0)));
    ASSERT_TRUE(Sync().ok());
    EXPECT_EQ(years(), QSet<int>({2027, 2028}));
    EXPECT_EQ(Messages().size(), 48); // two dates a month for two years
    EXPECT_EQ(server.resources.size(), 1u);
}

TEST_F(CalendarSyncTest, TheSameScheduleOnTwoMachinesIsNotDoubled)
{
    ScheduleEntry newYear;
    newYear.type = 1;
    newYear.month = 1;
    newYear.day = 1;
    newYear.message = QStringLiteral("元日");
    Add(newYear);
    ASSERT_TRUE(Sync().ok());

    // A second machine with its own copy of the same holiday.
    QTemporaryDir other;
    OpenScheduleResult opened = OpenScheduleDatabase(other.path());
    ASSERT_TRUE(opened.ok());
    SyncItems(*opened.database).add(newYear);
    SyncItems(*opened.database).add(OneOff("only there"));
    CalendarSync second(*opened.database, server, server.url(), clock, other.path());
    ASSERT_TRUE(second.run().ok());
    EXPECT_EQ(server.resources.size(), 2u);
    EXPECT_EQ(opened.database->schedules().RecordCount(), 2);
}

TEST_F(CalendarSyncTest, WithoutSyncReportsTheEtagsAreCompared)
{
    server.offersSyncCollection = false;
    server.store("x.ics", Event("x", "from the server"));
    const qint64 mine = Add(OneOff("from here"));
    ASSERT_TRUE(Sync().ok());
    EXPECT_EQ(ServerSummaries(), QStringList({"from here", "from the server"}));
    server.erase("x.ics");
    Remove(mine);
    const SyncOutcome outcome = Sync();
    ASSERT_TRUE(outcome.ok()) << outcome.failure.toStdString();
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_TRUE(server.resources.empty());
}

struct Fault
{
    const char* name;
    DavResponse answer;
    const char* reason; // a part of the reason given
};

class CalendarSyncFault : public CalendarSyncTest, public ::testing::WithParamInterface<Fault>
{
};

TEST_P(CalendarSyncFault, LeavesTheLocalDataUntouchedAndSaysWhy)
{
    const qint64 id = Add(OneOff("kept"));
    ASSERT_TRUE(Sync().ok());
    Change(id, QStringLiteral("kept, changed"));
    Add(OneOff("new here"));
    server.store("x.ics", Event("x", "new there"));
    const QString before = Bookkeeping();

    server.before = [](const DavRequest& r) -> std::optional<DavResponse> {
        if (r.method == "REPORT")
            return GetParam().answer;
        return std::nullopt;
    };
    const SyncOutcome outcome = Sync();
    EXPECT_FALSE(outcome.ok());
    EXPECT_TRUE(outcome.failure.contains(QString::fromUtf8(GetParam().reason)))
        << outcome.failure.toStdString();
    EXPECT_EQ(Bookkeeping(), before);
}

DavResponse Answer(int status, QByteArray body = {}, QString fault = {})
{
    return DavResponse{status, std::move(body), {}, {}, std::move(fault), {}};
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CalendarSyncFault,
    ::testing::Values(
        Fault{"refused", Answer(0, {}, QStringLiteral("サーバー x に接続を拒否されました。")), "拒否"},
        Fault{"server_error", Answer(503), "503"},
        Fault{"html", Answer(207, "<html><body>Please log in</body></html>"), "WebDAV"},
        Fault{"malformed", Answer(207, "<d:multistatus xmlns:d=\"DAV:\"><d:response>"), "XML"},
        Fault{"unauthorized", Answer(401), "パスワード"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace morvane
