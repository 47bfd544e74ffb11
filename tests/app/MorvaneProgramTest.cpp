#include "app/MorvaneProgram.h"

#include "app/Lifecycle.h"
#include "calendar_window/dialogs/NewAppFrm.h"
#include "calendar_window/window/CalendarFrm.h"
#include "context/AppContext.h"
#include "core/ActivityLog.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleDatabase.h"
#include "ui_toolkit/MsgBox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmapCache>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>

using namespace morvane;

namespace {

// One user's world: the program folder, the settings file and the lock.
struct Place
{
    QTemporaryDir dir;
    QString programFolder() const { return dir.filePath(QStringLiteral("program")); }
    QString settingsFile() const { return dir.filePath(QStringLiteral("Morvane.ini")); }
    QString lockFolder() const { return dir.filePath(QStringLiteral("run")); }

    Place()
    {
        QDir().mkpath(programFolder());
        QDir().mkpath(lockFolder());
    }

    ProgramPlaces places(const QString& lock = {}) const
    {
        ProgramPlaces p;
        p.programFolder = programFolder();
        p.lockFolder = lock.isEmpty() ? lockFolder() : lock;
        p.settingsStore = std::make_unique<QSettings>(settingsFile(), QSettings::IniFormat);
        return p;
    }
    void writeSetting(const QString& name, const QString& value) const
    {
        QSettings store(settingsFile(), QSettings::IniFormat);
        store.setValue(name, value);
    }
};

bool NewAppFrmShown()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<NewAppFrm*>(widget) && widget->isVisible())
            return true;
    }
    return false;
}

void CloseNewAppFrms()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<NewAppFrm*>(widget))
            widget->close();
    }
}

const QDateTime kNow(QDate(2026, 5, 20), QTime(10, 0));

} // namespace

class MorvaneProgramTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { CloseNewAppFrms(); }

    void firstRunCreatesTheDataFileAndShowsTheCurrentMonth()
    {
        Place place;
        FixedClock clock(kNow);
        MsgBoxScript script;
        MorvaneProgram program(place.places(), &clock);
        QVERIFY(program.start());

        QVERIFY(QFile::exists(DataFilePath(place.programFolder())));
        QVERIFY(NewAppFrmShown());
        QCOMPARE(program.context()->DisplayMonth, QStringLiteral("2026/5/01"));
        QCOMPARE(program.context()->LastDay, 20);
        QCOMPARE(program.context()->MarkSymbols[1], QStringLiteral(u"●"));
        QVERIFY(program.calendar()->isVisible());
        QVERIFY(program.calendar()->Timer1->isActive());
        QCOMPARE(program.calendar()->Timer1->interval(), 5000);
        QVERIFY(script.calls().empty());

        // A log-off: the settings land in the store once.
        QVERIFY(!QFile::exists(place.settingsFile()));
        program.lifecycle()->closeRequested();
        QVERIFY(QFile::exists(place.settingsFile()));
        QVERIFY(!program.calendar()->Timer1->isActive());
        QVERIFY(program.context()->database() == nullptr);
    }

    // Each list window opened leaves pictures drawn for its own palette in
    // the toolkit's store; its bound is what keeps a long run from growing.
    void theStoreOfDrawnPicturesIsKeptSmall()
    {
        Place place;
        FixedClock clock(kNow);
        MorvaneProgram program(place.places(), &clock);
        QVERIFY(program.start());
        QVERIFY(QPixmapCache::cacheLimit() <= MorvaneProgram::kPictureCacheKilobytes);
    }

    void hiddenCalendarStartsWithTheTrayOnly()
    {
        Place place;
        place.writeSetting(QStringLiteral("CalendarView"), QStringLiteral("False"));
        place.writeSetting(QStringLiteral("ShowTitle"), QStringLiteral("False"));
        FixedClock clock(kNow);
        MorvaneProgram program(place.places(), &clock);
        QVERIFY(program.start());
        QVERIFY(!program.calendar()->isVisible());
        QCOMPARE(program.context()->DisplayMonth, QStringLiteral("2026/5/01"));
    }

    void secondCopyIsRefusedAndTouchesNothing()
    {
        Place first;
        FixedClock clock(kNow);
        MorvaneProgram running(first.places(), &clock);
        QVERIFY(running.start());

        Place second;
        second.writeSetting(QStringLiteral("StartLog"), QStringLiteral("True"));
        const QByteArray storedBefore = [&] {
            QFile file(second.settingsFile());
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();
        MsgBoxScript script;
        MorvaneProgram copy(second.places(first.lockFolder()), &clock);
        QVERIFY(!copy.start());
        QCOMPARE(script.calls().size(), 1u);
        QCOMPARE(script.lastCall().text, QStringLiteral(u"既に起動されています"));
        QCOMPARE(script.lastCall().style, MsgBoxStyle::Information);
        QCOMPARE(script.lastCall().title, QStringLiteral(u"モルヴァ"));

        QVERIFY(QDir(second.programFolder()).isEmpty());
        QFile stored(second.settingsFile());
        QVERIFY(stored.open(QIODevice::ReadOnly));
        QCOMPARE(stored.readAll(), storedBefore);
    }

    void startLineIsWrittenWhenAsked()
    {
        Place place;
        place.writeSetting(QStringLiteral("StartLog"), QStringLiteral("True"));
        FixedClock clock(kNow);
        MorvaneProgram program(place.places(), &clock);
        QVERIFY(program.start());
        QFile log(LogFilePath(place.programFolder()));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QCOMPARE(log.readAll(), LogLineBytes(LogTimestamp(kNow), kLogStartEvent));
    }

    void unusableDataFileEndsWithItsMessageAndWritesNothing()
    {
        Place place;
        const QByteArray garbage("this is not a schedule book, just some bytes\n");
        {
            QFile data(DataFilePath(place.programFolder()));
            QVERIFY(data.open(QIODevice::WriteOnly));
            data.write(garbage);
        }
        FixedClock clock(kNow);
        MsgBoxScript script;
        MorvaneProgram program(place.places(), &clock);
        QVERIFY(!program.start());
        QVERIFY(program.exitCode() != 0);
        QCOMPARE(script.calls().size(), 1u);
        QVERIFY(!script.lastCall().text.isEmpty());

        QFile data(DataFilePath(place.programFolder()));
        QVERIFY(data.open(QIODevice::ReadOnly));
        QCOMPARE(data.readAll(), garbage);
        QVERIFY(!QFile::exists(place.settingsFile()));
        QCOMPARE(QDir(place.programFolder()).entryList(QDir::Files).size(), 1);
    }

    // A log-off while the first-run import shows its warning: the start-up
    // ends in order, keeping no data file, and the next start imports every
    // entry once.
    void terminationDuringTheImportWarningKeepsNothing()
    {
        Place place;
        place.writeSetting(QStringLiteral("ShowTitle"), QStringLiteral("False"));
        {
            QFile calIni(LegacyFilePath(place.programFolder()));
            QVERIFY(calIni.open(QIODevice::WriteOnly));
            calIni.write("2026/05/20,a,0,\r\n9999/06/5fri,b,0,\r\n2026/05/21,c,0,\r\n");
        }
        FixedClock clock(kNow);
        {
            MsgBoxScript script;
            script.whileNextBoxIsOpen([] {
                std::raise(SIGTERM);
                QCoreApplication::processEvents();
            });
            MorvaneProgram program(place.places(), &clock);
            QVERIFY(!program.start());
            QCOMPARE(program.exitCode(), 0);
            QCOMPARE(script.calls().size(), 1u);
            QCOMPARE(QDir(place.programFolder()).entryList(QDir::Files), QStringList({"Cal.ini"}));
        }
        MsgBoxScript script;
        MorvaneProgram program(place.places(), &clock);
        QVERIFY(program.start());
        QCOMPARE(script.calls().size(), 1u);
        QCOMPARE(program.context()->database()->schedules().RecordCount(), 2);
    }

    void drawingFailureIsShownOnceAndTheProgramRunsOn()
    {
        Place place;
        FixedClock clock(kNow);
        MorvaneProgram program(place.places(), &clock);
        QVERIFY(program.start());
        MsgBoxScript script;
        program.context()->database()->Close();
        emit program.context()->events().drawCalendarRequested(QStringLiteral("2026/6/01"));
        QCOMPARE(script.calls().size(), 1u);
        QCOMPARE(script.lastCall().style, MsgBoxStyle::Exclamation);
        QCOMPARE(script.lastCall().title, QStringLiteral(u"モルヴァ"));
        QCOMPARE(program.context()->DisplayMonth, QStringLiteral("2026/6/01"));
        QVERIFY(program.calendar()->isVisible());
    }
};

QTEST_MAIN(MorvaneProgramTest)
#include "MorvaneProgramTest.moc"
