#include "app/SingleInstance.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace morvane;

class SingleInstanceTest : public QObject
{
    Q_OBJECT

private slots:
    void secondCopyIsRefusedWhileTheFirstRuns()
    {
        QTemporaryDir dir;
        SingleInstance first(dir.path());
        QVERIFY(first.acquire());
        QVERIFY(QFile::exists(first.lockFilePath()));

        SingleInstance second(dir.path());
        QVERIFY(!second.acquire());
    }

    void lockIsFreeAgainAfterTheFirstEnds()
    {
        QTemporaryDir dir;
        {
            SingleInstance first(dir.path());
            QVERIFY(first.acquire());
        }
        SingleInstance next(dir.path());
        QVERIFY(next.acquire());
    }

    void crashedCopyDoesNotLeaveTheLockStuck()
    {
        QTemporaryDir dir;
        QProcess holder;
        holder.start(QStringLiteral(MORVANE_LOCK_HOLDER), {dir.path()});
        QVERIFY(holder.waitForFinished(10000));
        QCOMPARE(holder.readAllStandardOutput().trimmed(), QByteArray("held"));
        SingleInstance crashed(dir.path());
        QVERIFY2(QFile::exists(crashed.lockFilePath()), "the dead copy left its lock behind");

        SingleInstance next(dir.path());
        QVERIFY(next.acquire());
    }

    void defaultLockIsPerUser()
    {
        const QString path = DefaultLockFilePath();
        QVERIFY(path.endsWith(QStringLiteral(".lock")));
        QVERIFY(path.contains(QStringLiteral("morvane-")));
    }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
