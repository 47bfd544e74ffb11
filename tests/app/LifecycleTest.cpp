#include "app/Lifecycle.h"

#include "context/AppContext.h"
#include "core/ActivityLog.h"
#include "data/records/ScheduleDatabase.h"

#include <QEventLoop>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace morvane;

namespace {

int EndLines(const QString& folder)
{
    QFile log(LogFilePath(folder));
    if (!log.open(QIODevice::ReadOnly))
        return 0;
    return static_cast<int>(log.readAll().count(QByteArray("\r\n")));
}

} // namespace

class LifecycleTest : public QObject
{
    Q_OBJECT

    struct Run
    {
        Run() : clock(QDateTime(QDate(2026, 5, 20), QTime(18, 0))), context(clock, dir.path())
        {
            store = std::make_unique<QSettings>(dir.filePath(QStringLiteral("Morvane.ini")),
                                                QSettings::IniFormat);
            context.settings().EndLog = true;
            context.settings().CalendarSize = 7;
            context.setDatabase(OpenScheduleDatabase(dir.path()).database);
            lifecycle = std::make_unique<Lifecycle>(context, *store);
            lifecycle->stopTimers = [this] {
                ++timersStopped;
            };
            lifecycle->removeTrayIcon = [this] {
                ++trayRemoved;
            };
            lifecycle->quit = [this](int code) {
                quitCodes.push_back(code);
            };
        }
        QString storedSize() const
        {
            QSettings reread(dir.filePath(QStringLiteral("Morvane.ini")), QSettings::IniFormat);
            return reread.value(QStringLiteral("CalendarSize")).toString();
        }

        QTemporaryDir dir;
        FixedClock clock;
        AppContext context;
        std::unique_ptr<QSettings> store;
        std::unique_ptr<Lifecycle> lifecycle;
        int timersStopped = 0;
        int trayRemoved = 0;
        std::vector<int> quitCodes;
    };

private slots:
    void exitCommandSavesOnceAndEnds()
    {
        Run run;
        run.lifecycle->exitProgram();
        QCOMPARE(run.storedSize(), QStringLiteral("7"));
        QCOMPARE(EndLines(run.dir.path()), 1);
        QCOMPARE(run.trayRemoved, 1);
        QCOMPARE(run.quitCodes, std::vector<int>{0});

        // The program then quits; the close path that follows saves nothing.
        run.context.settings().CalendarSize = 9;
        run.lifecycle->closeRequested();
        QCOMPARE(run.storedSize(), QStringLiteral("7"));
        QCOMPARE(EndLines(run.dir.path()), 1);
        QCOMPARE(run.quitCodes.size(), 1u);
    }

    void closeRequestStopsTimersSavesAndClosesTheDatabase()
    {
        Run run;
        QVERIFY(run.context.database() != nullptr);
        run.lifecycle->closeRequested();
        QCOMPARE(run.timersStopped, 1);
        QCOMPARE(run.storedSize(), QStringLiteral("7"));
        QCOMPARE(EndLines(run.dir.path()), 1);
        QVERIFY(run.context.database() == nullptr);
        QCOMPARE(run.quitCodes, std::vector<int>{0});

        // Log-off after a termination signal, say: still one save.
        run.lifecycle->closeRequested();
        run.lifecycle->exitProgram();
        QCOMPARE(EndLines(run.dir.path()), 1);
        QCOMPARE(run.quitCodes.size(), 1u);
    }

    // A termination signal while a question box is open: the code that
    // opened it still holds the database's records when its box returns.
    void closeRequestDuringAQuestionLeavesTheDatabaseToTheTearDown()
    {
        Run run;
        ScheduleDatabase* during = nullptr;
        QEventLoop program;
        QTimer::singleShot(0, &program, [&] {
            QEventLoop question;
            QTimer::singleShot(0, &question, [&] {
                run.lifecycle->closeRequested();
                question.quit();
            });
            question.exec();
            during = run.context.database();
            program.quit();
        });
        program.exec();
        QVERIFY(during != nullptr);
        QCOMPARE(run.storedSize(), QStringLiteral("7"));
        QCOMPARE(run.quitCodes, std::vector<int>{0});
    }

    void noEndLineWhenSwitchedOff()
    {
        Run run;
        run.context.settings().EndLog = false;
        run.lifecycle->exitProgram();
        QVERIFY(!QFile::exists(LogFilePath(run.dir.path())));
        QCOMPARE(run.storedSize(), QStringLiteral("7"));
    }
};

QTEST_GUILESS_MAIN(LifecycleTest)
#include "LifecycleTest.moc"
