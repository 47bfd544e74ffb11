#include "app/IcsCommand.h"

#include "core/Clock.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

using namespace morvane;

class IcsCommandTest : public QObject
{
    Q_OBJECT

    struct Outcome
    {
        int code;
        QString out;
        QString err;
    };

    Outcome Run(const QStringList& arguments)
    {
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        const FixedClock clock(QDateTime(QDate(2026, 12, 11), QTime(9, 0)));
        const int code = RunIcsCommand(QStringList{QStringLiteral("morvane")} + arguments,
                                       m_folder.path(), clock, outStream, errStream);
        outStream.flush();
        errStream.flush();
        return {code, out, err};
    }

    QTemporaryDir m_folder;

private slots:
    void expansionWindow_data()
    {
        QTest::addColumn<QString>("years");
        QTest::addColumn<int>("code");
        QTest::newRow("two years") << "2026-2027" << 0;
        QTest::newRow("ten years") << "2026-2035" << 0;
        QTest::newRow("eleven years") << "2026-2036" << 2;
        QTest::newRow("before 1950") << "1900-1901" << 2;
        QTest::newRow("after 2100") << "2100-2101" << 2;
        QTest::newRow("backwards") << "2027-2026" << 2;
        QTest::newRow("no range") << "2026" << 2;
    }

    // Only a window of at most ten years between 1950 and 2100 is expanded
    // into; another one is refused with the range that is allowed.
    void expansionWindow()
    {
        QFETCH(QString, years);
        QFETCH(int, code);
        const QString path = m_folder.filePath(QStringLiteral("in.ics"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20260101\r\n"
                   "RRULE:FREQ=DAILY;INTERVAL=3\r\nSUMMARY:x\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
        file.close();
        const Outcome outcome = Run({"--import-ics", path, "--ics-expand", years});
        QCOMPARE(outcome.code, code);
        if (code == 2)
            QVERIFY2(outcome.err.contains(QStringLiteral("年")), qPrintable(outcome.err));
    }

    // A device that is full: the file is named and the disk said to be full,
    // not "Unknown error".
    void aFullDiskIsNamed()
    {
        const QFileInfo device(QStringLiteral("/dev/full"));
        if (!device.exists() || device.isFile())
            QSKIP("no full device on this system");
        const Outcome outcome = Run({"--export-ics", "/dev/full"});
        QCOMPARE(outcome.code, 1);
        QVERIFY2(outcome.err.contains(QStringLiteral("/dev/full")), qPrintable(outcome.err));
        QVERIFY2(outcome.err.contains(QStringLiteral("ディスクがいっぱいです")),
                 qPrintable(outcome.err));
    }

    void aMissingFileIsNamedWithItsReason()
    {
        const QString path = m_folder.filePath(QStringLiteral("none.ics"));
        const Outcome outcome = Run({"--import-ics", path});
        QCOMPARE(outcome.code, 1);
        QVERIFY2(outcome.err.contains(path), qPrintable(outcome.err));
        QVERIFY2(outcome.err.contains(QStringLiteral("見つかりません")), qPrintable(outcome.err));
    }
};

QTEST_GUILESS_MAIN(IcsCommandTest)
#include "IcsCommandTest.moc"
