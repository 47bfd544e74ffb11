#include "alarms/AlarmMsgFrm.h"

#include "AlarmFixture.h"
#include "RefusedWrites.h"
#include "alarms/AlarmTick.h"
#include "ui_toolkit/DateTimePicker.h"
#include "ui_toolkit/MsgBox.h"
#include "ui_toolkit/Twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace morvane;
using namespace morvane::test;
namespace f = schedule_fields;

namespace {

const QDate kTuesday(2026, 12, 8);

// A world with the alarm window answering the alarm requests, as the
// running program wires it.
struct Desk
{
    explicit Desk(QTime now, const AlarmRec& rec) : world(QDateTime(kTuesday, now))
    {
        world.context.settings().FlashIcon = false;
        id = world.add(rec);
        world.scan();
        QObject::connect(&world.context.events(), &AppEvents::alarmMessageRaised, &frm,
                         [this] { frm.SetAlarmMsg(AlarmMsgFrm::Showing::Raised); });
        QObject::connect(&world.context.events(), &AppEvents::alarmMessageRequested, &frm,
                         [this] { frm.SetAlarmMsg(AlarmMsgFrm::Showing::Opened); });
    }
    void tick() { CheckDueAlarms(world.context, world.sound, frm.isVisible()); }

    AlarmWorld world;
    AlarmMsgFrm frm{world.context};
    qint64 id = 0;
};

// A window the user is typing in when the alarm comes: a dialog (Escape
// would close it) with an editable text, as the day editor and the viewer
// have.
struct Behind
{
    Behind()
    {
        text->setPlainText(QStringLiteral(u"別の予定"));
        dialog.resize(300, 200);
        dialog.show();
        dialog.activateWindow();
        text->setFocus();
    }
    QDialog dialog;
    QPlainTextEdit* text = new QPlainTextEdit(&dialog);
};

} // namespace

class AlarmMsgFrmTest : public QObject
{
    Q_OBJECT

private slots:
    void oneOffFillsEveryControl()
    {
        Desk desk(QTime(9, 30, 5),
                  OneOff(2026, 12, 8, QStringLiteral("09:30"), QStringLiteral("歯医者\n保険証")));
        AlarmMsgFrm& frm = desk.frm;
        desk.tick();
        QVERIFY(frm.isVisible());
        QCOMPARE(frm.windowTitle(), QStringLiteral(u"モルヴァ - アラーム"));
        QCOMPARE(frm.size(), TwipsToPixels(QSize(5250, 3375)));
        QCOMPARE(frm.Label2->text(), QStringLiteral(u"[2026年12月8日 9:30] のアラーム"));
        QCOMPARE(frm.Text1->toPlainText(), QStringLiteral(u"歯医者\n保険証"));
        QCOMPARE(frm.Text1->palette().color(QPalette::Base), QColor(255, 255, 245));
        QVERIFY(!frm.Image1->pixmap().isNull());
        QCOMPARE(frm.Check1[0]->text(), QStringLiteral(u"この予定を削除する"));
        QCOMPARE(frm.Check1[1]->text(), QStringLiteral(u"設定した時刻に再アラーム"));
        QCOMPARE(frm.Check1[2]->text(), QStringLiteral(u"予定日移動"));
        QCOMPARE(frm.Command1->text(), QStringLiteral("&OK"));
        for (QCheckBox* box : frm.Check1) {
            QVERIFY(box->isVisible());
            QVERIFY(!box->isChecked());
        }
        QVERIFY(!frm.DTPicker1->isVisible());
        QVERIFY(!frm.DTPicker2->isVisible());
        QCOMPARE(QTime(frm.DTPicker1->hour(), frm.DTPicker1->minute()), QTime(10, 0));
        QVERIFY(frm.Command1->isDefault());
        QVERIFY(frm.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(frm.recordId(), desk.id);
        QVERIFY(desk.world.flashStops >= 1); // the flasher is stopped
    }

    void recurringAndUndatedScheduleOfferFewerBoxes()
    {
        Desk weekly(QTime(8, 0), Weekday(0, 2, QStringLiteral("8:00")));
        weekly.world.clock.set(QDateTime(QDate(2026, 12, 7), QTime(8, 0)));
        weekly.world.scan();
        weekly.tick();
        QCOMPARE(weekly.frm.Label2->text(), QStringLiteral(u"[毎週月曜日 8:00] のアラーム"));
        QVERIFY(weekly.frm.Check1[1]->isVisible());
        QVERIFY(!weekly.frm.Check1[2]->isVisible());

        AlarmRec undated = Weekday(2, 3, QStringLiteral("10:00"));
        undated.day.reset(); // as an import leaves it
        Desk imported(QTime(10, 0), undated);
        imported.tick();
        QCOMPARE(imported.frm.Label2->text(),
                 QStringLiteral(u"[毎月第2週火曜日 10:00] のアラーム"));
        QVERIFY(!imported.frm.Check1[1]->isVisible());
        QVERIFY(!imported.frm.Check1[2]->isVisible());
    }

    void boxesCheckAndHideOneAnother()
    {
        Desk desk(QTime(9, 31), OneOff(2026, 12, 8, QStringLiteral("09:30")));
        AlarmMsgFrm& frm = desk.frm;
        desk.tick();
        frm.Check1[2]->setChecked(true); // move: re-arms too
        QVERIFY(frm.Check1[1]->isChecked());
        QVERIFY(frm.DTPicker1->isVisible());
        QVERIFY(frm.DTPicker2->isVisible());
        QCOMPARE(frm.DTPicker2->shownDateTime().date(), QDate(2026, 12, 9));
        QCOMPARE(QTime(frm.DTPicker1->hour(), frm.DTPicker1->minute()), QTime(9, 30));

        frm.Check1[0]->setChecked(true); // delete unchecks and hides the rest
        QVERIFY(!frm.Check1[1]->isChecked());
        QVERIFY(!frm.Check1[2]->isChecked());
        QVERIFY(!frm.DTPicker1->isVisible());
        QVERIFY(!frm.DTPicker2->isVisible());

        frm.Check1[1]->setChecked(true); // ring again unchecks delete
        QVERIFY(!frm.Check1[0]->isChecked());
        QVERIFY(!frm.Check1[2]->isChecked()); // dated today: nothing to move
        QCOMPARE(QTime(frm.DTPicker1->hour(), frm.DTPicker1->minute()), QTime(10, 0));
    }

    void ringAgainLateAtNight()
    {
        Desk desk(QTime(23, 30), OneOff(2026, 12, 8, QStringLiteral("23:30")));
        desk.tick();
        AlarmMsgFrm& frm = desk.frm;
        QCOMPARE(QTime(frm.DTPicker1->hour(), frm.DTPicker1->minute()), QTime(0, 0));
        frm.Check1[1]->setChecked(true);
        QCOMPARE(QTime(frm.DTPicker1->hour(), frm.DTPicker1->minute()), QTime(23, 59));
        frm.Command1->click();
        QVERIFY(!frm.isVisible());
        QCOMPARE(desk.world.field(desk.id, f::Alarm), QStringLiteral("23:59"));
    }

    // Ringing a missed one-off again would ring at once: the move box comes
    // with it. A recurring schedule is never moved that way.
    void ringAgainOnAPastOneOffOffersTheMove()
    {
        Desk past(QTime(9, 0), OneOff(2026, 12, 1, QStringLiteral("09:00")));
        past.tick();
        past.frm.Check1[1]->setChecked(true);
        QVERIFY(past.frm.Check1[2]->isChecked());
        QCOMPARE(past.frm.DTPicker2->shownDateTime().date(), kTuesday);

        Desk weekly(QTime(10, 0), Weekday(0, 3, QStringLiteral("10:00")));
        weekly.tick();
        weekly.frm.Check1[1]->setChecked(true);
        QVERIFY(!weekly.frm.Check1[2]->isChecked());
        MsgBoxScript script;
        script.answer(MsgBoxResult::Yes);
        weekly.frm.Command1->click();
        QCOMPARE(script.calls().size(), std::size_t(1));
        QCOMPARE(script.lastCall().title, QStringLiteral(u"アラーム"));
        QCOMPARE(script.lastCall().style, MsgBoxStyle::YesNo + MsgBoxStyle::Exclamation);
        QCOMPARE(weekly.world.field(weekly.id, f::Alarm), QStringLiteral("11:00"));
        QCOMPARE(weekly.world.field(weekly.id, f::Day), QStringLiteral("-1"));
        QVERIFY(!weekly.frm.isVisible());
    }

    void escapeActsAsOk()
    {
        Desk desk(QTime(9, 31), OneOff(2026, 12, 8, QStringLiteral("09:30"), QStringLiteral("a")));
        desk.tick();
        desk.frm.Text1->setPlainText(QStringLiteral("b"));
        QTest::keyClick(&desk.frm, Qt::Key_Escape);
        QVERIFY(!desk.frm.isVisible());
        QCOMPARE(desk.world.field(desk.id, f::Alarm), QStringLiteral(" "));
        QCOMPARE(desk.world.messageOf(desk.id), QStringLiteral("b"));
    }

    void enterMakesANewLineInTheTextAndPressesOkElsewhere()
    {
        Desk desk(QTime(9, 31), OneOff(2026, 12, 8, QStringLiteral("09:30"), QStringLiteral("a")));
        desk.tick();
        AlarmMsgFrm& frm = desk.frm;
        frm.activateWindow();
        frm.Text1->setFocus();
        QTRY_VERIFY(frm.Text1->hasFocus());
        QTest::keyClick(frm.Text1, Qt::Key_Return);
        QVERIFY(frm.isVisible());
        QVERIFY(!frm.Command1->isDefault());
        frm.Check1[0]->setFocus();
        QTRY_VERIFY(frm.Command1->isDefault());
        QTest::keyClick(frm.Check1[0], Qt::Key_Return);
        QVERIFY(!frm.isVisible());
    }

    void tooLongATextKeepsTheWindowWithTheTextSelected()
    {
        Desk desk(QTime(9, 31), OneOff(2026, 12, 8, QStringLiteral("09:30"), QStringLiteral("a")));
        desk.tick();
        AlarmMsgFrm& frm = desk.frm;
        frm.Text1->setPlainText(QString(600, QChar(u'字')));
        MsgBoxScript script;
        frm.Command1->click();
        QVERIFY(frm.isVisible());
        QCOMPARE(script.calls().size(), std::size_t(1));
        QCOMPARE(script.lastCall().title, QStringLiteral(u"予定の保存"));
        QVERIFY(script.lastCall().text.contains(QStringLiteral(u"（現在のバイト数=1200バイト）")));
        QCOMPARE(frm.Text1->textCursor().selectedText().size(), 600);
        QCOMPARE(desk.world.messageOf(desk.id), QStringLiteral("a"));
    }

    // The close box changes nothing; the alarm is back at the next tick.
    void closeBoxPostponesByOneTick()
    {
        Desk desk(QTime(9, 31), OneOff(2026, 12, 8, QStringLiteral("09:30"), QStringLiteral("a")));
        desk.tick();
        QCOMPARE(desk.world.messages, 1);
        desk.frm.Check1[0]->setChecked(true);
        desk.frm.close();
        QVERIFY(!desk.frm.isVisible());
        QCOMPARE(desk.world.field(desk.id, f::Alarm), QStringLiteral("09:30"));
        QCOMPARE(desk.world.rs().PositionOfRecordId(desk.id), 0);
        desk.world.clock.advanceSeconds(5);
        desk.tick();
        QCOMPARE(desk.world.messages, 2);
        QVERIFY(desk.frm.isVisible());
        QVERIFY(!desk.frm.Check1[0]->isChecked()); // a fresh window
    }

    // Raised with the flasher, the alarm beeps and plays once; once the
    // window has been shown (or activated) later alarms may sound again.
    void showingOrActivatingAllowsTheNoisesAgain()
    {
        Desk desk(QTime(9, 31), OneOff(2026, 12, 8, QStringLiteral("09:30")));
        AlarmState& alarms = desk.world.context.alarms;
        desk.world.context.settings().FlashIcon = true;
        desk.tick();
        desk.tick();
        QCOMPARE(desk.world.sound.beeps, 1);
        QVERIFY(alarms.AlarmBeeped);
        QVERIFY(alarms.AlarmSounded);
        QVERIFY(desk.frm.SetAlarmMsg()); // the tray icon was clicked
        QVERIFY(!alarms.AlarmBeeped);
        QVERIFY(!alarms.AlarmSounded);

        alarms.AlarmBeeped = alarms.AlarmSounded = true;
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&desk.frm, &activate);
        QVERIFY(!alarms.AlarmBeeped);
        QVERIFY(!alarms.AlarmSounded);
    }

    // Opened from the flashing tray icon, the window takes the keys: Enter
    // and Escape act on the alarm (OK) and never reach the window behind.
    void openedFromTheTrayTakesTheKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }

    void openedFromTheTrayTakesTheKeys()
    {
        QFETCH(int, key);
        Desk desk(QTime(9, 31), OneOff(2026, 12, 8, QStringLiteral("09:30"), QStringLiteral("a")));
        desk.world.context.settings().FlashIcon = true;
        Behind behind;
        QTRY_VERIFY(behind.text->hasFocus());
        desk.tick();
        QVERIFY(!desk.frm.isVisible());                           // the icon flashes
        emit desk.world.context.events().alarmMessageRequested(); // the icon is clicked
        QVERIFY(desk.frm.isVisible());
        // It asks the desktop for the keys (the test platform hands them to
        // every window shown, so the flag is what tells the two showings
        // apart here; the alarm run on a real desktop checks the keys).
        QVERIFY(!desk.frm.testAttribute(Qt::WA_ShowWithoutActivating));
        QTRY_VERIFY(desk.frm.isActiveWindow());
        QCOMPARE(QApplication::focusWidget(), desk.frm.Command1);

        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QVERIFY(!desk.frm.isVisible());
        QCOMPARE(desk.world.field(desk.id, f::Alarm), QStringLiteral(" "));
        QVERIFY(behind.dialog.isVisible());
        QCOMPARE(behind.text->toPlainText(), QStringLiteral(u"別の予定"));
    }

    // Raised by the tick, the window comes up without taking the keys from
    // the window the user is typing in; opened from the tray later, it
    // takes them.
    void raisedByTheTickLeavesTheKeysWhereTheyAre()
    {
        Desk desk(QTime(9, 31), OneOff(2026, 12, 8, QStringLiteral("09:30")));
        Behind behind;
        QTRY_VERIFY(behind.text->hasFocus());
        desk.tick();
        QVERIFY(desk.frm.isVisible());
        QVERIFY(desk.frm.testAttribute(Qt::WA_ShowWithoutActivating));
        // Opened from the tray afterwards, the same window takes the keys.
        emit desk.world.context.events().alarmMessageRequested();
        QVERIFY(!desk.frm.testAttribute(Qt::WA_ShowWithoutActivating));
        QTRY_VERIFY(desk.frm.isActiveWindow());
    }

    // Three alarms due in one tick with the window shown at once: one beep,
    // one start of the sound file, the window on the last of them. The
    // noises may come again once the user has answered the window.
    void threeAlarmsInOneTickSoundOnce()
    {
        Desk desk(QTime(9, 0), OneOff(2026, 12, 8, QStringLiteral("08:00")));
        desk.world.add(Weekday(0, 3, QStringLiteral("08:30")));
        desk.world.add(OneOff(2026, 12, 7, QStringLiteral("22:00")));
        desk.world.scan();
        desk.tick();
        QCOMPARE(desk.world.messages, 3);
        QCOMPARE(desk.world.sound.beeps, 1);
        QCOMPARE(desk.world.sound.plays.size(), std::size_t(1));
        QVERIFY(desk.frm.isVisible());
        QCOMPARE(desk.world.context.alarms.AlarmIndex, 2);

        desk.frm.Command1->click();
        desk.tick();
        QCOMPARE(desk.world.sound.beeps, 2);
        QCOMPARE(desk.world.sound.plays.size(), std::size_t(2));
    }

    // The data file cannot be written: OK shows why and the window stays
    // with what the user typed; the close box brings the alarm back.
    void anUnwritableDataFileKeepsTheWindowAndTheAlarm()
    {
        Desk desk(QTime(9, 31), OneOff(2026, 12, 8, QStringLiteral("09:30"), QStringLiteral("a")));
        QVERIFY(InstallWriteRefusal(desk.world));
        desk.world.scan();
        desk.tick();
        RefuseWrites(desk.world, true);
        desk.frm.Text1->setPlainText(QStringLiteral(u"打ったばかり"));
        MsgBoxScript script;
        desk.frm.Command1->click();
        QCOMPARE(script.calls().size(), std::size_t(1));
        QVERIFY(script.lastCall().text.contains(QStringLiteral(u"書き込めません")));
        QVERIFY(desk.frm.isVisible());
        QCOMPARE(desk.frm.Text1->toPlainText(), QStringLiteral(u"打ったばかり"));
        desk.frm.close();
        desk.world.clock.advanceSeconds(5);
        desk.tick();
        QVERIFY(desk.frm.isVisible());
        RefuseWrites(desk.world, false);
        desk.frm.Command1->click();
        QVERIFY(!desk.frm.isVisible());
        QCOMPARE(desk.world.field(desk.id, f::Alarm), QStringLiteral(" "));
    }

    void deleteFromTheWindow()
    {
        Desk desk(QTime(9, 31), OneOff(2026, 12, 8, QStringLiteral("09:30")));
        desk.tick();
        desk.frm.Check1[0]->setChecked(true);
        desk.frm.Command1->click();
        QVERIFY(!desk.frm.isVisible());
        QCOMPARE(desk.world.rs().RecordCount(), 0);
        QCOMPARE(desk.world.drawings, 1);
        QCOMPARE(desk.world.context.alarms.AlarmListMax(), -1);
    }
};

QTEST_MAIN(AlarmMsgFrmTest)
#include "AlarmMsgFrmTest.moc"
