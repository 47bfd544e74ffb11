#include "app/AlarmWiring.h"

#include "alarms/AlarmFixture.h"
#include "alarms/AlarmMsgFrm.h"
#include "calendar_window/month/DrawCalendar.h"
#include "calendar_window/tray/CalendarMenuFrm.h"
#include "calendar_window/window/CalendarFrm.h"
#include "ui_toolkit/MsgBox.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace morvane;
using namespace morvane::test;

namespace {

// The calendar, the tray menu and the alarms over one data file, put
// together as the start-up does, with the noises counted.
struct Running
{
    explicit Running(QDateTime now) : world(std::move(now))
    {
        Settings& s = world.context.settings();
        s.Transparency = false;
        s.TransparencyEx = false;
        s.ShowWait = 0;
        s.FlashIcon = false;
        world.answerScans = false;
        world.context.MarkSymbols = StandardMarkSymbols();
        calendar = std::make_unique<CalendarFrm>(world.context);
        calendar->Form_Load();
        DrawCalendar(world.context, *calendar, FirstDayText(world.clock.today()));
        menu = std::make_unique<CalendarMenuFrm>(world.context);
        auto counting = std::make_unique<CountingSound>();
        sound = counting.get();
        alarms =
            std::make_unique<AlarmWiring>(world.context, *calendar, *menu, std::move(counting));
        lastDate = world.clock.today();
        world.context.LastDay = lastDate.day();
        alarms->ResetAlarmFlags();
        alarms->ScanAlarms();
    }

    void tick() { alarms->Timer1_Timer(lastDate); }
    AlarmMsgFrm& frm() { return alarms->alarmWindow(); }
    bool shown() const { return alarms->alarmWindowVisible(); }

    AlarmWorld world;
    std::unique_ptr<CalendarFrm> calendar;
    std::unique_ptr<CalendarMenuFrm> menu;
    CountingSound* sound = nullptr;
    std::unique_ptr<AlarmWiring> alarms;
    QDate lastDate;
};

const QDate kTuesday(2026, 12, 8);

} // namespace

class AlarmWiringTest : public QObject
{
    Q_OBJECT

private slots:
    // Twelve alarms of today, one a minute, each record's text naming its
    // own time. Schedules are deleted in every way the program has while
    // the list stands; every alarm that rings shows the text of its own
    // record, and the deleted ones never ring.
    void deletionsAnywhereLeaveEveryAlarmOnItsOwnRecord()
    {
        Running run(QDateTime(kTuesday, QTime(9, 0)));
        for (int minute = 1; minute <= 12; ++minute) {
            const QString time = QStringLiteral("09:%1").arg(minute, 2, 10, QLatin1Char('0'));
            run.world.add(OneOff(2026, 12, 8, time, time));
        }
        run.alarms->ScanAlarms();
        QCOMPARE(run.world.context.alarms.AlarmList.size(), std::size_t(12));
        Recordset& rs = run.world.rs();
        const auto positionOf = [&rs](const QString& text) {
            for (int i = 0; i < rs.RecordCount(); ++i) {
                rs.SetAbsolutePosition(i);
                if (rs.GetValue(schedule_fields::Message).toString() == text)
                    return i;
            }
            return -1;
        };

        QStringList rang;
        const auto minute = [&](int m, const std::function<void()>& inWindow = {}) {
            run.world.clock.set(QDateTime(kTuesday, QTime(9, m, 2)));
            run.tick();
            while (run.shown()) {
                AlarmMsgFrm& frm = run.frm();
                const QString text = frm.Text1->toPlainText();
                QString expected = QStringLiteral(u"[2026年12月8日 9:") + text.mid(3) +
                                   QStringLiteral(u"] のアラーム");
                QCOMPARE(frm.Label2->text(), expected);
                rang << text;
                if (inWindow)
                    inWindow();
                frm.Command1->click();
                run.tick();
            }
        };

        minute(1);
        // The calendar's popup deletes one of today's schedules.
        {
            MsgBoxScript script;
            script.answer({MsgBoxResult::No, MsgBoxResult::No, MsgBoxResult::Yes}); // "09:03"
            run.menu->MNU_D_Click();
        }
        minute(2);
        minute(3);
        // The editor deletes "09:05" and moves the list with it.
        const int editorPosition = positionOf(QStringLiteral("09:05"));
        rs.SetAbsolutePosition(editorPosition);
        rs.Delete();
        run.world.context.alarms.recordDeleted(editorPosition);
        minute(4);
        // The viewer's bulk deletion, then its rescan.
        for (const char* text : {"09:06", "09:07"}) {
            rs.SetAbsolutePosition(positionOf(QString::fromLatin1(text)));
            rs.Delete();
        }
        emit run.world.context.events().alarmScanRequested();
        // A deletion nobody announces.
        rs.SetAbsolutePosition(positionOf(QStringLiteral("09:08")));
        rs.Delete();
        for (int m = 5; m <= 9; ++m)
            minute(m);
        // The alarm window deletes its own schedule.
        minute(10, [&run] { run.frm().Check1[0]->setChecked(true); });
        minute(11);
        minute(12);

        QCOMPARE(rang,
                 QStringList({"09:01", "09:02", "09:04", "09:09", "09:10", "09:11", "09:12"}));
        QCOMPARE(positionOf(QStringLiteral("09:10")), -1);
    }

    void theFirstTickAfterMidnight()
    {
        Running run(QDateTime(QDate(2026, 12, 7), QTime(23, 40)));
        run.world.context.settings().ShowDayIcon = true;
        const qint64 monday =
            run.world.add(Weekday(0, 2, QStringLiteral("23:50"), QStringLiteral("月")));
        const qint64 tuesday =
            run.world.add(Weekday(0, 3, QStringLiteral("08:00"), QStringLiteral("火")));
        run.alarms->ScanAlarms();
        QCOMPARE(run.world.context.alarms.AlarmList.size(), std::size_t(1));

        run.world.clock.set(QDateTime(QDate(2026, 12, 7), QTime(23, 59, 58)));
        run.tick();
        QVERIFY(run.shown());
        run.frm().close(); // not now

        run.world.clock.set(QDateTime(kTuesday, QTime(0, 0, 3)));
        run.tick();
        // Monday's entry was checked against the new date first and rang.
        QVERIFY(run.shown());
        QCOMPARE(run.frm().recordId(), monday);
        QCOMPARE(run.world.context.LastDay, 8);
        QCOMPARE(run.lastDate, kTuesday);
        QCOMPARE(run.world.context.DisplayMonth, QStringLiteral("2026/12/01"));
        QCOMPARE(run.world.context.alarms.AlarmList.size(), std::size_t(1));
        QCOMPARE(run.world.context.alarms.AlarmList[0].recordId, tuesday);
        QCOMPARE(run.menu->trayIcon().icon().cacheKey(), run.menu->ImageDay(8).cacheKey());
    }

    void aClickOnTheFlashingIconOpensTheAlarm()
    {
        Running run(QDateTime(kTuesday, QTime(9, 0)));
        run.world.context.settings().FlashIcon = true;
        run.world.add(Monthly(8, QStringLiteral("9:05"), QStringLiteral("家賃")));
        run.alarms->ScanAlarms();
        run.tick();
        QVERIFY(!run.menu->isFlashing());
        run.world.clock.set(QDateTime(kTuesday, QTime(9, 5)));
        run.tick();
        QVERIFY(run.menu->isFlashing());
        QVERIFY(!run.shown());
        run.tick(); // still waiting: it keeps flashing
        QVERIFY(run.menu->isFlashing());

        emit run.menu->trayIcon().activated(QSystemTrayIcon::Trigger);
        QVERIFY(run.shown());
        QVERIFY(!run.menu->isFlashing());
        QCOMPARE(run.frm().Label2->text(), QStringLiteral(u"[毎月8日 9:05] のアラーム"));
        QCOMPARE(run.frm().Text1->toPlainText(), QStringLiteral(u"家賃"));
        run.tick(); // nothing examined while it is open; the flasher stays off
        QVERIFY(!run.menu->isFlashing());
        run.frm().Command1->click();
        QVERIFY(!run.shown());
        run.tick();
        QVERIFY(!run.menu->isFlashing());
    }

    // The idle tick: a second tick in a minute whose look found nothing due
    // touches no record; whatever could make an alarm due within that
    // minute has the next tick look again, and it rings.
    void aQuietMinuteIsLookedAtOnce_data()
    {
        QTest::addColumn<int>("change");
        QTest::newRow("nothing changes") << 0;
        QTest::newRow("the next minute") << 1;
        QTest::newRow("its time set to now, then the rescan") << 2;
        QTest::newRow("the list changes without a scan") << 3;
    }
    void aQuietMinuteIsLookedAtOnce()
    {
        QFETCH(int, change);
        Running run(QDateTime(kTuesday, QTime(9, 0, 2)));
        const qint64 alarm = run.world.add(OneOff(2026, 12, 8, QStringLiteral("09:01")));
        run.world.add(OneOff(2026, 12, 8, QStringLiteral("10:00")));
        run.world.add(OneOff(2026, 12, 9, QStringLiteral("09:00"))); // not today's
        run.alarms->ScanAlarms();
        run.tick();
        QVERIFY(!run.shown());

        Recordset& rs = run.world.rs();
        const int elsewhere = rs.RecordCount() - 1;
        rs.SetAbsolutePosition(elsewhere);
        run.world.clock.set(QDateTime(kTuesday, QTime(9, 0, 7)));
        switch (change) {
        case 1:
            run.world.clock.set(QDateTime(kTuesday, QTime(9, 1, 2)));
            break;
        case 2:
            rs.SetAbsolutePosition(rs.PositionOfRecordId(alarm));
            rs.Edit();
            rs.SetValue(schedule_fields::Alarm, Value(QStringLiteral("09:00")));
            rs.Update();
            emit run.world.context.events().alarmScanRequested();
            break;
        case 3:
            // The alarm window let go of the entry of the 10:00 record.
            run.world.context.alarms.AlarmList.back().position = -1;
            break;
        }
        run.tick();
        QCOMPARE(run.shown(), change == 1 || change == 2);
        QCOMPARE(rs.AbsolutePosition() == elsewhere, change == 0);
    }

    // A quiet minute ends on the next minute's boundary whatever comes
    // then: midnight redraws for the new date, and after a suspend the
    // first tick rings what fell due meanwhile.
    void aQuietMinuteEndsOnTheMinutesBoundary_data()
    {
        QTest::addColumn<QDateTime>("look");
        QTest::addColumn<QDateTime>("next");
        QTest::addColumn<bool>("rings");
        const QDate wednesday = kTuesday.addDays(1);
        QTest::newRow("midnight") << QDateTime(kTuesday, QTime(23, 59, 57))
                                  << QDateTime(wednesday, QTime(0, 0, 2)) << false;
        QTest::newRow("two seconds later, the next minute")
            << QDateTime(kTuesday, QTime(9, 29, 58)) << QDateTime(kTuesday, QTime(9, 30)) << true;
        QTest::newRow("back from a suspend") << QDateTime(kTuesday, QTime(7, 0, 2))
                                             << QDateTime(kTuesday, QTime(9, 30, 4)) << true;
    }
    void aQuietMinuteEndsOnTheMinutesBoundary()
    {
        QFETCH(QDateTime, look);
        QFETCH(QDateTime, next);
        QFETCH(bool, rings);
        Running run(look);
        // Every week at 09:30 on the weekday of the last tick (1 = Sunday).
        run.world.add(Weekday(0, next.date().dayOfWeek() % 7 + 1, QStringLiteral("09:30")));
        run.alarms->ScanAlarms();
        run.tick();
        QVERIFY(!run.shown());
        run.world.clock.set(look.addSecs(1));
        run.tick(); // the same quiet minute
        QVERIFY(!run.shown());
        run.world.clock.set(next);
        run.tick();
        QCOMPARE(run.shown(), rings);
        QCOMPARE(run.lastDate, next.date());
        QCOMPARE(run.world.context.LastDay, next.date().day());
    }

    void aDatabaseFailureIsReportedOnceAndTheProgramRunsOn()
    {
        Running run(QDateTime(kTuesday, QTime(9, 0)));
        run.world.add(OneOff(2026, 12, 8, QStringLiteral("09:30")));
        run.alarms->ScanAlarms();
        run.world.context.database()->Close();
        MsgBoxScript script;
        run.tick();
        run.tick();
        QCOMPARE(script.calls().size(), std::size_t(1));
        QCOMPARE(script.lastCall().style, MsgBoxStyle::Exclamation);
        QVERIFY(run.world.context.settings().FlashIcon == false);
        run.world.clock.set(QDateTime(QDate(2026, 12, 9), QTime(0, 0, 1)));
        run.tick(); // the date still moves on
        QCOMPARE(run.world.context.LastDay, 9);
    }
};

QTEST_MAIN(AlarmWiringTest)
#include "AlarmWiringTest.moc"
