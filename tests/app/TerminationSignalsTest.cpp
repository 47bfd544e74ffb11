#include "app/TerminationSignals.h"

#include <QSignalSpy>
#include <QTest>
#include <csignal>

using namespace morvane;

class TerminationSignalsTest : public QObject
{
    Q_OBJECT

private slots:
    void terminationArrivesAsASignalOnTheEventLoop()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows ends programs through the session only");
#else
        TerminationSignals watcher;
        QVERIFY(watcher.isWatching());
        QSignalSpy spy(&watcher, &TerminationSignals::terminationRequested);
        std::raise(SIGTERM); // would end the test run if it were not caught
        QVERIFY(spy.wait(5000));
        QCOMPARE(spy.count(), 1);

        std::raise(SIGINT);
        QVERIFY(spy.wait(5000));
        QCOMPARE(spy.count(), 2);
#endif
    }
};

QTEST_GUILESS_MAIN(TerminationSignalsTest)
#include "TerminationSignalsTest.moc"
