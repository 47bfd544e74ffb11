#include "calendar_window/tray/CalendarMenuFrm.h"

#include "calendar_window/dialogs/HelpWindow.h"
#include "calendar_window/month/ScheduleFixture.h"
#include "calendar_window/tray/TrayIconArt.h"
#include "context/AppContext.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <memory>

namespace morvane {

using test::Dated;
using test::ScheduleFixture;

// The tray owner on Friday 3 May 2024 with May shown (the 1st, a Wednesday,
// sits in cell 11, so day d is in cell d + 10).
class CalendarMenuFrmTest : public QObject
{
    Q_OBJECT

private:
    struct Setup
    {
        Setup() : clock(QDateTime(QDate(2024, 5, 3), QTime(9, 0))), context(clock, fixture.folder())
        {
            fixture.add({Dated(0, 2024, 5, 3, 9, {}, QStringLiteral("会議")),
                         Dated(0, 0, 5, 3, 12, {}, QStringLiteral("憲法記念日の準備"))});
            context.setDatabase(fixture.release());
        }
        void drawn(QDate month)
        {
            context.setDisplayMonth(month);
            context.events().monthDrawn(month);
        }
        ScheduleFixture fixture;
        FixedClock clock;
        AppContext context;
    };

    static QStringList Names(const QMenu* menu)
    {
        QStringList names;
        for (const QAction* action : menu->actions())
            names << action->objectName();
        return names;
    }

private slots:
    // "今すぐ同期(&Y)" only while sync is on; a failing sync is named in the
    // tip, and the tip goes back to the day once a sync succeeds.
    void syncItemAndTip()
    {
        Setup s;
        CalendarMenuFrm frm(s.context);
        QAction* item = frm.menus().MNU_Y;
        QCOMPARE(item->text(), QStringLiteral("今すぐ同期(&Y)"));
        QVERIFY(!item->isVisible());
        frm.setSyncOffered(true);
        QVERIFY(item->isVisible());
        QSignalSpy asked(&s.context.events(), &AppEvents::syncNowRequested);
        item->trigger();
        QCOMPARE(asked.count(), 1);

        const QString failure = QStringLiteral("12:04 同期できません：サーバーに接続できません。");
        s.context.syncStatus = {false, failure, true};
        emit s.context.events().syncStatusChanged();
        QVERIFY(frm.trayIcon().toolTip().endsWith(u'\n' + failure));
        s.context.syncStatus = {false, QStringLiteral("12:05 同期しました（送信 0件、受信 1件）"), false};
        emit s.context.events().syncStatusChanged();
        QVERIFY(!frm.trayIcon().toolTip().contains(QStringLiteral("同期")));
        frm.setSyncOffered(false);
        QVERIFY(!item->isVisible());
    }

    void menusHoldEveryItemAndSeparatorInOrder()
    {
        Setup s;
        CalendarMenuFrm frm(s.context);
        const PopupMenus& m = frm.menus();
        QCOMPARE(
            Names(m.MNU),
            (QStringList{"MNU_S", "MNU_SP1", "MNU_E", "MNU_D",   "MNU_SP2", "MNU_P",   "MNU_SP3",
                         "MNU_V", "MNU_F",   "MNU_Y", "MNU_SP4", "MNU_B",   "MNU_N",   "MNU_J",
                         "MNU_SP5", "MNU_O", "MNU_T", "MNU_U",   "MNU_SP6", "MNU_H",   "MNU_SP7",
                         "MNU_X"}));
        QCOMPARE(Names(m.MNU_H), (QStringList{"MNU_H_C", "MNU_H_SP1", "MNU_H_A"}));
        QCOMPARE(Names(m.MNU_JUMP).mid(0, 8),
                 (QStringList{"MNU_J_J", "MNU_J_SP", "MNU_J_T", "MNU_J_SP2", "MNU_J_B", "MNU_J_N",
                              "MNU_J_SP3", "MNU_J_1"}));
        QCOMPARE(Names(m.MNU_JUMP).last(), QStringLiteral("MNU_J_12"));
        QCOMPARE(Names(m.MNU_EDITFRM), (QStringList{"MNU_EDITFRM_N", "MNU_EDITFRM_D"}));
        QCOMPARE(m.MNU_X->text(), QStringLiteral("終了(&X)"));
        QCOMPARE(m.MNU_J_month[11]->text(), QStringLiteral("12月"));
        QCOMPARE(frm.findChild<QAction*>(QStringLiteral("MNU_O"))->text(),
                 QStringLiteral("オプション設定(&O)..."));
    }

    void dayCaptions_data()
    {
        QTest::addColumn<int>("selectedCell");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("remove");
        QTest::addColumn<int>("cellAfter");
        QTest::newRow("day 15") << 25 << "15日の予定(&E)..."
                                << "15日の予定削除(&D)" << 25;
        QTest::newRow("day 1") << 11 << "1日の予定(&E)..."
                               << "1日の予定削除(&D)" << 11;
        QTest::newRow("nothing pressed") << 0 << "今日の予定(&E)..."
                                         << "今日の予定削除(&D)" << 0;
        QTest::newRow("blank before the 1st") << 9 << "今日の予定(&E)..."
                                              << "今日の予定削除(&D)" << 0;
        QTest::newRow("blank after the 31st") << 42 << "今日の予定(&E)..."
                                              << "今日の予定削除(&D)" << 0;
    }

    void dayCaptions()
    {
        QFETCH(int, selectedCell);
        Setup s;
        s.drawn(QDate(2024, 5, 1));
        CalendarMenuFrm frm(s.context);
        s.context.SelectedCell = selectedCell;
        frm.setDayItemCaptions();
        QTEST(frm.menus().MNU_E->text(), "edit");
        QTEST(frm.menus().MNU_D->text(), "remove");
        QTEST(s.context.SelectedCell, "cellAfter");
    }

    void dayItemsActOnThePressedDayOrToday()
    {
        Setup s;
        s.drawn(QDate(2024, 6, 1)); // June 2024: the 1st is a Saturday (cell 14)
        CalendarMenuFrm frm(s.context);
        QSignalSpy editor(&s.context.events(), &AppEvents::editorRequested);
        s.context.SelectedCell = 28; // the 15th
        frm.menus().MNU_E->trigger();
        s.context.SelectedCell = 0;
        frm.menus().MNU_E->trigger();
        QCOMPARE(editor.size(), 2);
        QCOMPARE(editor[0][0].toDate(), QDate(2024, 6, 15));
        QCOMPARE(editor[1][0].toDate(), QDate(2024, 5, 3));
    }

    void jumpItemsTickTheDrawnMonth()
    {
        Setup s;
        s.drawn(QDate(2024, 5, 1));
        CalendarMenuFrm frm(s.context);
        QVERIFY(frm.menus().MNU_J_month[4]->isChecked());
        s.drawn(QDate(2023, 12, 1));
        for (int i = 0; i < 12; ++i) {
            QCOMPARE(frm.menus().MNU_J_month[std::size_t(i)]->isChecked(), i == 11);
            // The other months show no empty box.
            QCOMPARE(frm.menus().MNU_J_month[std::size_t(i)]->isCheckable(), i == 11);
        }
    }

    void monthAndYearItems_data()
    {
        QTest::addColumn<QDate>("shown");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("firstDay");
        QTest::newRow("previous month over the year") << QDate(2024, 1, 1) << "MNU_B"
                                                      << "2023/12/01";
        QTest::newRow("next month over the year") << QDate(2024, 12, 1) << "MNU_N"
                                                  << "2025/1/01";
        QTest::newRow("previous year has no limit") << QDate(1950, 1, 1) << "MNU_J_B"
                                                    << "1949/1/01";
        QTest::newRow("next year has no limit") << QDate(2050, 7, 1) << "MNU_J_N"
                                                << "2051/7/01";
        QTest::newRow("this month") << QDate(2030, 2, 1) << "MNU_J_T"
                                    << "2024/5/01";
        QTest::newRow("March of the shown year") << QDate(2030, 8, 1) << "MNU_J_3"
                                                 << "2030/3/01";
    }

    void monthAndYearItems()
    {
        QFETCH(QDate, shown);
        QFETCH(QString, item);
        Setup s;
        s.drawn(shown);
        CalendarMenuFrm frm(s.context);
        QSignalSpy draws(&s.context.events(), &AppEvents::drawCalendarRequested);
        frm.findChild<QAction*>(item)->trigger();
        QCOMPARE(draws.size(), 1);
        QTEST(draws[0][0].toString(), "firstDay");
    }

    void topViewAndCalendarViewFollowTheirTicks()
    {
        Setup s;
        CalendarMenuFrm frm(s.context);
        QSignalSpy topMost(&s.context.events(), &AppEvents::topMostRequested);
        QSignalSpy visibility(&s.context.events(), &AppEvents::calendarVisibilityRequested);
        QSignalSpy move(&s.context.events(), &AppEvents::calendarMoveRequested);

        frm.menus().MNU_T->trigger();
        QVERIFY(s.context.settings().TopView);
        QVERIFY(frm.menus().MNU_T->isChecked());
        QCOMPARE(topMost.takeFirst()[0].toBool(), true);
        frm.menus().MNU_T->trigger();
        QVERIFY(!s.context.settings().TopView);
        QCOMPARE(topMost.takeFirst()[0].toBool(), false);

        // Opening the menu ticks MNU_T from the setting, whatever changed it.
        s.context.settings().TopView = true;
        emit frm.menus().MNU->aboutToShow();
        QVERIFY(frm.menus().MNU_T->isChecked());

        frm.menus().MNU_P->trigger();
        QVERIFY(!s.context.settings().CalendarView);
        QVERIFY(!frm.menus().MNU_P->isChecked());
        QCOMPARE(visibility.takeFirst()[0].toBool(), false);

        frm.menus().MNU_U->trigger();
        QCOMPARE(move.takeFirst()[0].toPoint(), QPoint(0, 0));
    }

    void trayTipStartsWithTheNameThenShowsToday()
    {
        Setup s;
        s.context.settings().TootTipType = 15;
        CalendarMenuFrm frm(s.context);
        QCOMPARE(frm.trayIcon().toolTip(), QStringLiteral("モルヴァ"));

        // The current month drawn: layout 0, whatever the setting says.
        s.context.events().todayCursorPlaced(QDate(2024, 5, 3));
        QCOMPARE(frm.trayIcon().toolTip(), QStringLiteral("2024年5月3日(金)[先負]：2件"));

        // The pointer resting on the icon: the chosen layout.
        QEvent tip(QEvent::ToolTip);
        QCoreApplication::sendEvent(&frm.trayIcon(), &tip);
        QCOMPARE(frm.trayIcon().toolTip(), QStringLiteral("2件"));
    }

    void createdAfterTheCurrentMonthWasDrawnShowsTodayAtOnce()
    {
        Setup s;
        s.context.setDisplayMonth(QDate(2024, 5, 1));
        CalendarMenuFrm frm(s.context);
        QCOMPARE(frm.trayIcon().toolTip(), QStringLiteral("2024年5月3日(金)[先負]：2件"));
    }

    void leftClick_data()
    {
        QTest::addColumn<bool>("iconClickView");
        QTest::addColumn<bool>("topView");
        QTest::addColumn<int>("visibilityRequests");
        QTest::addColumn<int>("raises");
        QTest::newRow("click view off: nothing") << false << false << 0 << 0;
        QTest::newRow("click view on: toggled") << true << false << 1 << 0;
        QTest::newRow("on top: no nudge") << true << true << 1 << 0;
    }

    void leftClick()
    {
        QFETCH(bool, iconClickView);
        QFETCH(bool, topView);
        Setup s;
        s.context.settings().IconClickView = iconClickView;
        s.context.settings().TopView = topView;
        CalendarMenuFrm frm(s.context);
        QSignalSpy visibility(&s.context.events(), &AppEvents::calendarVisibilityRequested);
        QSignalSpy raises(&s.context.events(), &AppEvents::raiseCalendarRequested);
        emit frm.trayIcon().activated(QSystemTrayIcon::Trigger); // hides
        QTEST(int(visibility.size()), "visibilityRequests");
        QTEST(int(raises.size()), "raises");
        if (iconClickView) {
            QVERIFY(!s.context.settings().CalendarView);
            emit frm.trayIcon().activated(QSystemTrayIcon::Trigger); // shows again
            QVERIFY(s.context.settings().CalendarView);
            QCOMPARE(visibility.last()[0].toBool(), true);
            QCOMPARE(int(raises.size()), topView ? 0 : 1);
        }
    }

    void whileFlashingEitherButtonOpensTheAlarm()
    {
        Setup s;
        s.context.settings().IconClickView = true;
        CalendarMenuFrm frm(s.context);
        QSignalSpy alarm(&s.context.events(), &AppEvents::alarmMessageRequested);
        QSignalSpy visibility(&s.context.events(), &AppEvents::calendarVisibilityRequested);
        for (const auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::Context}) {
            frm.startFlashing();
            emit frm.trayIcon().activated(reason);
            QVERIFY(!frm.isFlashing());
        }
        QCOMPARE(alarm.size(), 2);
        QCOMPARE(visibility.size(), 0);
        QVERIFY(!frm.menus().MNU->isVisible());
    }

    // The tray shows the main popup, with the day captions and ticks of the
    // moment it opens, whoever opens it: a status-notifier panel asks over
    // the bus (only the menu's opening is told), a docking tray opens it on
    // its own and then reports the click, a panel may only report the click.
public:
    enum class Opener { DockingTray, PanelOverTheBus, PanelClickOnly, CalendarRightClick };
    Q_ENUM(Opener)

private slots:

    void trayMenu_data()
    {
        QTest::addColumn<Opener>("opener");
        QTest::addColumn<bool>("flashing");
        QTest::addColumn<int>("alarms");
        QTest::addColumn<bool>("menuOnScreen");
        QTest::newRow("docking tray") << Opener::DockingTray << false << 0 << true;
        QTest::newRow("panel over the bus") << Opener::PanelOverTheBus << false << 0 << false;
        QTest::newRow("panel, click only") << Opener::PanelClickOnly << false << 0 << true;
        QTest::newRow("docking tray, flashing") << Opener::DockingTray << true << 1 << false;
        QTest::newRow("panel over the bus, flashing") << Opener::PanelOverTheBus << true << 1 << false;
        QTest::newRow("panel click only, flashing") << Opener::PanelClickOnly << true << 1 << false;
        // The calendar's own right click is no tray click: the menu opens.
        QTest::newRow("calendar, flashing") << Opener::CalendarRightClick << true << 0 << true;
    }

    void trayMenu()
    {
        QFETCH(Opener, opener);
        QFETCH(bool, flashing);
        Setup s;
        s.drawn(QDate(2024, 5, 1));
        s.context.settings().TopView = true;
        CalendarMenuFrm frm(s.context);
        const PopupMenus& m = frm.menus();
        QCOMPARE(frm.trayIcon().contextMenu(), m.MNU);
        QSignalSpy openings(m.MNU, &QMenu::aboutToShow);
        QSignalSpy alarms(&s.context.events(), &AppEvents::alarmMessageRequested);
        if (flashing)
            frm.startFlashing();
        s.context.SelectedCell = 25; // the 15th, pressed after the menu was last shown

        switch (opener) {
        case Opener::DockingTray:
            m.MNU->popup(QPoint(20, 20));
            emit frm.trayIcon().activated(QSystemTrayIcon::Context);
            break;
        case Opener::PanelOverTheBus:
            emit m.MNU->aboutToShow();
            break;
        case Opener::PanelClickOnly:
            emit frm.trayIcon().activated(QSystemTrayIcon::Context);
            break;
        case Opener::CalendarRightClick:
            frm.PopupMenuShow(QPoint(20, 20));
            break;
        }
        QCoreApplication::processEvents();

        QTEST(int(alarms.size()), "alarms");
        QTEST(m.MNU->isVisible(), "menuOnScreen");
        if (alarms.isEmpty()) {
            QVERIFY(openings.size() <= 1); // never opened twice
            QCOMPARE(m.MNU_E->text(), QStringLiteral("15日の予定(&E)..."));
            QVERIFY(m.MNU_T->isChecked());
            QCOMPARE(frm.isFlashing(), flashing);
        } else {
            QVERIFY(!frm.isFlashing());
        }
        m.MNU->hide();
    }

    void flashingAlternatesTheTwoPictures()
    {
        Setup s;
        CalendarMenuFrm frm(s.context);
        frm.startFlashing();
        QTRY_COMPARE(frm.trayIcon().icon().cacheKey(), frm.Image1(1).cacheKey());
        QTRY_COMPARE(frm.trayIcon().icon().cacheKey(), frm.Image1(0).cacheKey());
        frm.stopFlashing();
    }

    void dayIconWhenShowDayIcon()
    {
        Setup s;
        s.context.settings().ShowDayIcon = true;
        CalendarMenuFrm frm(s.context);
        QCOMPARE(frm.trayIcon().icon().cacheKey(), frm.ImageDay(3).cacheKey());
        s.context.settings().ShowDayIcon = false;
        frm.setDayNotifyIcon();
        QCOMPARE(frm.trayIcon().icon().cacheKey(), frm.Image1(0).cacheKey());
    }

    void iconFilesReplaceOurPicturesOnlyWhenReadable()
    {
        QTemporaryDir dir;
        const QString good = dir.filePath(QStringLiteral("mine.png"));
        QImage picture(16, 16, QImage::Format_ARGB32);
        picture.fill(Qt::magenta);
        QVERIFY(picture.save(good));
        const QString broken = dir.filePath(QStringLiteral("broken.ico"));
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a picture");
        file.close();

        Setup s;
        s.context.settings().IconFile1 = good;
        s.context.settings().IconFile2 = broken;
        CalendarMenuFrm frm(s.context);
        QCOMPARE(frm.Image1(0).pixmap(16).toImage().pixelColor(8, 8), QColor(Qt::magenta));
        QCOMPARE(frm.Image1(1).pixmap(16).toImage(),
                 CalendarPageImage(true, 16).convertToFormat(
                     frm.Image1(1).pixmap(16).toImage().format()));
    }

    void exitAsksOnceAndRemovesTheIcon()
    {
        Setup s;
        CalendarMenuFrm frm(s.context);
        QSignalSpy exits(&s.context.events(), &AppEvents::exitRequested);
        frm.menus().MNU_X->trigger();
        QCOMPARE(exits.size(), 1);
        QVERIFY(!frm.trayIcon().isVisible());
    }

    void helpOpensTheCalendarTopic()
    {
        Setup s;
        CalendarMenuFrm frm(s.context);
        frm.menus().MNU_H_C->trigger();
        auto* help = qobject_cast<HelpWindow*>([] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->objectName() == QLatin1String("HelpWindow"))
                    return w;
            return static_cast<QWidget*>(nullptr);
        }());
        QVERIFY(help);
        QCOMPARE(help->currentSource(), QUrl(QStringLiteral("qrc:/help/html/mora2abc.htm")));
        QCOMPARE(help->browser()->documentTitle(), QStringLiteral("モルヴァの概要と使い方"));
        QVERIFY(help->browser()->toPlainText().contains(QStringLiteral("キーボード操作")));
    }
};

} // namespace morvane

QTEST_MAIN(morvane::CalendarMenuFrmTest)
#include "CalendarMenuFrmTest.moc"
