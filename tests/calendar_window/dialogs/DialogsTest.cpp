#include "calendar_window/dialogs/AboutFrm.h"
#include "calendar_window/dialogs/JumpFrm.h"
#include "calendar_window/dialogs/LinkLabel.h"
#include "calendar_window/dialogs/NewAppFrm.h"
#include "calendar_window/dialogs/SetDateFrm.h"
#include "calendar_window/dialogs/ShadowedTitle.h"
#include "calendar_window/dialogs/UpDown.h"
#include "calendar_window/month/ScheduleFixture.h"
#include "context/AppContext.h"
#include "data/records/DaySchedules.h"
#include "data/records/MemoBook.h"
#include "data/records/ScheduleFields.h"
#include "ui_toolkit/MsgBox.h"

#include <QCalendarWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

namespace morvane {

using test::Dated;
using test::ScheduleFixture;

class DialogsTest : public QObject
{
    Q_OBJECT

private:
    struct Setup
    {
        Setup() : clock(QDateTime(QDate(2024, 5, 3), QTime(9, 0))), context(clock, fixture.folder())
        {
            context.setDatabase(fixture.release());
            context.setDisplayMonth(QDate(2024, 5, 1));
        }
        Recordset& schedules() { return context.database()->schedules(); }
        ScheduleFixture fixture;
        FixedClock clock;
        AppContext context;
    };

    static QStringList Messages(Recordset& schedules)
    {
        QStringList messages;
        for (int i = 0; i < schedules.RecordCount(); ++i) {
            schedules.SetAbsolutePosition(i);
            messages << schedules.GetValue(schedule_fields::Message).toString();
        }
        return messages;
    }

private slots:
    // --- JumpFrm ---------------------------------------------------------

    void jumpOpensOnTodayAndTakesDigitsOnly()
    {
        Setup s;
        JumpFrm frm(s.context);
        QCOMPARE(frm.windowTitle(), QStringLiteral("ジャンプ指定"));
        QCOMPARE(frm.Text1->text(), QStringLiteral("2024"));
        QCOMPARE(frm.Text2->text(), QStringLiteral("5"));
        QCOMPARE(frm.UpDown1->minimum(), 1950);
        QCOMPARE(frm.UpDown1->maximum(), 2049);
        QCOMPARE(frm.UpDown2->maximum(), 12);
        frm.show();
        frm.Text1->clear();
        QTest::keyClicks(frm.Text1, QStringLiteral("2a0-3x0"));
        QCOMPARE(frm.Text1->text(), QStringLiteral("2030"));
        QCOMPARE(frm.UpDown1->value(), 2030); // a value in range moves the buttons
    }

    void jumpArrowKeysStepWithinTheButtonsRange()
    {
        Setup s;
        JumpFrm frm(s.context);
        frm.show();
        frm.Text2->setText(QStringLiteral("12"));
        QTest::keyClick(frm.Text2, Qt::Key_Up);
        QCOMPARE(frm.Text2->text(), QStringLiteral("12"));
        QTest::keyClick(frm.Text2, Qt::Key_Down);
        QCOMPARE(frm.Text2->text(), QStringLiteral("11"));
        frm.Text1->setText(QStringLiteral("2049"));
        QTest::keyClick(frm.Text1, Qt::Key_Up);
        QCOMPARE(frm.Text1->text(), QStringLiteral("2049"));
        // A typed year beyond the buttons' range: the buttons stay where they were.
        frm.Text1->setText(QStringLiteral("2050"));
        QCOMPARE(frm.UpDown1->value(), 2049);
    }

    void jumpChecks_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("firstDay");
        QTest::newRow("1950 refused") << "1950"
                                      << "5"
                                      << "西暦には1951～2050の値を指定してください。"
                                      << "";
        QTest::newRow("2050 accepted") << "2050"
                                       << "12"
                                       << ""
                                       << "2050/12/01";
        QTest::newRow("month 13 refused") << "2024"
                                          << "13"
                                          << "月には1～12の値を指定してください。"
                                          << "";
        QTest::newRow("typed zero") << "2024"
                                    << "07"
                                    << ""
                                    << "2024/7/01";
    }

    void jumpChecks()
    {
        QFETCH(QString, year);
        QFETCH(QString, month);
        QFETCH(QString, message);
        QFETCH(QString, firstDay);
        Setup s;
        auto* frm = new JumpFrm(s.context);
        QPointer<JumpFrm> alive(frm);
        frm->show();
        frm->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frm));
        frm->Text1->setText(year);
        frm->Text2->setText(month);
        MsgBoxScript script;
        QSignalSpy draws(&s.context.events(), &AppEvents::drawCalendarRequested);
        QTest::keyClick(frm->Text1, Qt::Key_Return);
        if (message.isEmpty()) {
            QVERIFY(script.calls().empty());
            QCOMPARE(draws.size(), 1);
            QCOMPARE(draws[0][0].toString(), firstDay);
            QTRY_VERIFY(!alive);
        } else {
            QCOMPARE(script.calls().size(), 1u);
            QCOMPARE(script.lastCall().text, message);
            QCOMPARE(script.lastCall().style, MsgBoxStyle::Information);
            QCOMPARE(script.lastCall().title, QStringLiteral("ジャンプ指定"));
            QCOMPARE(draws.size(), 0);
            QVERIFY(frm->isVisible());
            if (month == QLatin1String("13"))
                QTRY_COMPARE(QApplication::focusWidget(), frm->Text2);
            delete frm;
        }
    }

    void jumpMovesTheViewerWhenItIsOpen()
    {
        Setup s;
        int viewerYear = 0;
        int viewerMonth = 0;
        JumpFrm frm(s.context, [&](int year, int month) {
            viewerYear = year;
            viewerMonth = month;
            return true;
        });
        QSignalSpy draws(&s.context.events(), &AppEvents::drawCalendarRequested);
        QSignalSpy paints(&s.context.events(), &AppEvents::paintBackgroundRequested);
        frm.Text1->setText(QStringLiteral("2031"));
        frm.Text2->setText(QStringLiteral("3"));
        frm.Command1_Click();
        QCOMPARE(viewerYear, 2031);
        QCOMPARE(viewerMonth, 3);
        QCOMPARE(draws.size(), 0);
        QCOMPARE(paints.size(), 1);
    }

    // --- SetDateFrm ------------------------------------------------------

    void dateClickAsksForANewScheduleOnThatDay()
    {
        Setup s;
        s.context.setDisplayMonth(QDate(2024, 6, 1));
        s.clock.set(QDateTime(QDate(2024, 5, 31), QTime(9, 0)));
        auto* frm = new SetDateFrm(s.context);
        QPointer<SetDateFrm> alive(frm);
        QCOMPARE(frm->windowTitle(), QStringLiteral("日付指定"));
        QCOMPARE(frm->MonthView1->selectedDate(), QDate(2024, 6, 30));
        QCOMPARE(frm->MonthView1->monthShown(), 6);
        QSignalSpy editor(&s.context.events(), &AppEvents::editorRequested);
        QSignalSpy created(&s.context.events(), &AppEvents::newScheduleRequested);
        frm->show();
        frm->MonthView1_DateClick(QDate(2024, 6, 12));
        frm->MonthView1_DateClick(QDate(2024, 6, 12)); // the double click's second half
        QCOMPARE(editor.size(), 1);
        QCOMPARE(editor[0][0].toDate(), QDate(2024, 6, 12));
        QCOMPARE(created.size(), 1);
        QTRY_VERIFY(!alive);
    }

    // --- AboutFrm --------------------------------------------------------

    void aboutShowsVersionAndCounts()
    {
        Setup s;
        for (int i = 0; i < 3; ++i) {
            s.schedules().AddNew();
            s.schedules().SetValue(schedule_fields::Message, Value(QStringLiteral("x")));
            s.schedules().Update();
        }
        MemoBook memos(s.context.database()->memos());
        memos.Create(QStringLiteral("買い物"), s.clock.now());
        memos.Create(QStringLiteral("読書"), s.clock.now());

        auto* frm = new AboutFrm(s.context);
        QPointer<AboutFrm> alive(frm);
        QCOMPARE(frm->windowTitle(), QStringLiteral("モルヴァのバージョン情報"));
        QCOMPARE(frm->Label2->text(), QStringLiteral("Version 2.17"));
        QCOMPARE(frm->Label6->text(), QStringLiteral("予定件数 ：  3件"));
        QCOMPARE(frm->Label7->text(), QStringLiteral("メモ件数 ：  2件"));
        QCOMPARE(frm->Label1->copyColor() != QColor(Qt::white), true);
        QCOMPARE(frm->Label1->offsetPixels(), 2); // 30 twips
        QCOMPARE(frm->Label2->offsetPixels(), 1); // 15 twips

        frm->Label4->setHighlighted(true);
        QVERIFY(frm->Label4->font().underline());
        QCOMPARE(frm->Label4->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        frm->Label4->setHighlighted(false);
        QVERIFY(!frm->Label4->font().underline());

        QSignalSpy bottom(&s.context.events(), &AppEvents::sendToBottomRequested);
        frm->show();
        QTest::keyClick(frm->Command1, Qt::Key_Escape);
        QCOMPARE(bottom.size(), 1);
        QTRY_VERIFY(!alive);
    }

    // --- NewAppFrm -------------------------------------------------------

    void firstRunOffersTheSetWithHolidaysTicked()
    {
        Setup s;
        NewAppFrm frm(s.context);
        QCOMPARE(frm.windowTitle(), QStringLiteral("モルヴァ"));
        QCOMPARE(frm.Label1->text(),
                 QStringLiteral("スケジュールファイルを作成します。\n"
                                "作成したい予定をチェックし、[作成]ボタンを押してください。"));
        QCOMPARE(frm.Frame1->title(), QStringLiteral("作成する予定"));
        QCOMPARE(frm.ListView1->topLevelItemCount(), 27);
        int ticked = 0;
        for (int i = 0; i < 27; ++i) {
            const QTreeWidgetItem* row = frm.ListView1->topLevelItem(i);
            const bool holiday = row->checkState(0) == Qt::Checked;
            ticked += holiday;
            QCOMPARE(row->foreground(0).color() == QColor(255, 0, 0), holiday);
            QVERIFY(!row->icon(0).isNull());
        }
        QCOMPARE(ticked, 16);
        QCOMPARE(frm.ListView1->topLevelItem(1)->text(0), QStringLiteral("成人の日"));
        QCOMPARE(frm.ListView1->topLevelItem(1)->text(1), QStringLiteral("１月第２月曜日"));
    }

    void createWritesTheTickedRows_data()
    {
        QTest::addColumn<int>("button"); // -1 untouched, 0 全て選択, 1 全て解除
        QTest::addColumn<int>("records");
        QTest::newRow("untouched: the 16 holidays") << -1 << 16;
        QTest::newRow("all") << 0 << 27;
        QTest::newRow("none") << 1 << 0;
    }

    void createWritesTheTickedRows()
    {
        QFETCH(int, button);
        Setup s;
        auto* frm = new NewAppFrm(s.context);
        QPointer<NewAppFrm> alive(frm);
        frm->show();
        if (button >= 0)
            frm->Command1[button]->click();
        QSignalSpy draws(&s.context.events(), &AppEvents::drawCalendarRequested);
        frm->Command2[0]->click();
        QTEST(s.schedules().RecordCount(), "records");
        QCOMPARE(draws.size(), 1);
        QCOMPARE(draws[0][0].toString(), QStringLiteral("2024/5/01"));
        QTRY_VERIFY(!alive);
        if (button == -1) {
            const QStringList messages = Messages(s.schedules());
            QCOMPARE(messages.first(), QStringLiteral("元日"));
            QVERIFY(messages.contains(QStringLiteral("春分の日")));
            QVERIFY(!messages.contains(QStringLiteral("節分の日")));
            // The computed equinox holiday only on its day.
            QCOMPARE(FindSchedulesOn(s.schedules(), QDate(2024, 3, 20)).size(), 1u);
            QCOMPARE(FindSchedulesOn(s.schedules(), QDate(2024, 3, 21)).size(), 0u);
        }
    }

    void enterCreatesAndEscapeWritesNothing()
    {
        Setup s;
        {
            auto* frm = new NewAppFrm(s.context);
            QPointer<NewAppFrm> alive(frm);
            frm->show();
            QTest::keyClick(frm->ListView1, Qt::Key_Escape);
            QTRY_VERIFY(!alive);
        }
        QCOMPARE(s.schedules().RecordCount(), 0);
        auto* frm = new NewAppFrm(s.context);
        QPointer<NewAppFrm> alive(frm);
        frm->show();
        QTest::keyClick(frm->ListView1, Qt::Key_Return);
        QTRY_VERIFY(!alive);
        QCOMPARE(s.schedules().RecordCount(), 16);
    }

    void cancelExplainsAndClosingWritesNothing()
    {
        Setup s;
        {
            auto* frm = new NewAppFrm(s.context);
            QPointer<NewAppFrm> alive(frm);
            frm->show();
            MsgBoxScript script;
            frm->Command2[1]->click();
            QCOMPARE(script.calls().size(), 1u);
            QCOMPARE(script.lastCall().title, QStringLiteral("予定作成のキャンセル"));
            QCOMPARE(script.lastCall().style, MsgBoxStyle::Information);
            QVERIFY(script.lastCall().text.startsWith(
                QStringLiteral("予定の作成をキャンセルしました。")));
            QVERIFY(script.lastCall().text.contains(QStringLiteral("「Morva.dat」")));
            QTRY_VERIFY(!alive);
        }
        {
            auto* frm = new NewAppFrm(s.context);
            QPointer<NewAppFrm> alive(frm);
            frm->show();
            MsgBoxScript script;
            QSignalSpy draws(&s.context.events(), &AppEvents::drawCalendarRequested);
            frm->close();
            QTRY_VERIFY(!alive);
            QVERIFY(script.calls().empty());
            QCOMPARE(draws.size(), 0);
        }
        QCOMPARE(s.schedules().RecordCount(), 0);
    }
};

} // namespace morvane

QTEST_MAIN(morvane::DialogsTest)
#include "DialogsTest.moc"
