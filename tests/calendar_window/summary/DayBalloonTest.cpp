#include "calendar_window/summary/DayBalloon.h"

#include "calendar_window/month/ScheduleFixture.h"
#include "core/context/AppContext.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QWidget>

namespace morvane {

using test::Dated;
using test::ScheduleFixture;

// The balloon's life over the cells of May 2024 (the 1st is a Wednesday, in
// cell 11; the 3rd in cell 13; cells 8 to 10 are blank, 1 to 7 the header).
class DayBalloonTest : public QObject
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
            context.setDisplayMonth(QDate(2024, 5, 1));
            calendar.resize(200, 200);
        }
        ScheduleFixture fixture;
        FixedClock clock;
        AppContext context;
        QWidget calendar;
    };

private slots:
    void dayCellBuildsTheBalloonOfItsDate()
    {
        Setup s;
        DayBalloon balloon(s.context, &s.calendar);
        balloon.cellHovered(13);
        QCOMPARE(balloon.lastTipIndex(), 13);
        QVERIFY(balloon.hasBalloon());
        QCOMPARE(balloon.currentText().title, QStringLiteral("2024/5/3(金)[先負]"));
        QVERIFY(balloon.currentText().body.startsWith(QStringLiteral("会議\r\n─")));
        QVERIFY(balloon.currentText().body.endsWith(QStringLiteral("憲法記念日の準備")));

        // Resting shows it, with the title line and the body.
        QTRY_VERIFY(balloon.isShown());
        QLabel* title = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName() == QLatin1String("DayBalloon") && window->isVisible())
                title = window->findChild<QLabel*>(QStringLiteral("BalloonTitle"));
        }
        QVERIFY(title);
        QCOMPARE(title->text(), QStringLiteral("2024/5/3(金)[先負]"));
    }

    void sameCellKeepsBlankCellRemovesButIsNotRemembered()
    {
        Setup s;
        DayBalloon balloon(s.context, &s.calendar);
        balloon.cellHovered(13);
        const DayBalloonText first = balloon.currentText();
        balloon.cellHovered(13);
        QCOMPARE(balloon.currentText(), first);

        balloon.cellHovered(9); // blank before the 1st
        QVERIFY(!balloon.hasBalloon());
        QCOMPARE(balloon.lastTipIndex(), 13);
        balloon.cellHovered(13); // straight back: nothing new
        QVERIFY(!balloon.hasBalloon());

        balloon.cellHovered(3); // header
        balloon.cellHovered(14);
        QVERIFY(balloon.hasBalloon());
        QCOMPARE(balloon.lastTipIndex(), 14);
        // A day without schedules: the date line as body, no title.
        QCOMPARE(balloon.currentText().title, QString());
        QCOMPARE(balloon.currentText().body, QStringLiteral("2024/5/4(土)[仏滅]"));
    }

    void titleCellIsRememberedWithoutBalloon()
    {
        Setup s;
        DayBalloon balloon(s.context, &s.calendar);
        balloon.cellHovered(13);
        balloon.cellHovered(0);
        QCOMPARE(balloon.lastTipIndex(), 0);
        QVERIFY(!balloon.hasBalloon());
    }

    void switchedOffShowsNothing()
    {
        Setup s;
        s.context.settings().ToolTipView = false;
        DayBalloon balloon(s.context, &s.calendar);
        balloon.cellHovered(13);
        QVERIFY(!balloon.hasBalloon());
        QTest::qWait(50);
        QVERIFY(!balloon.isShown());
    }
};

} // namespace morvane

QTEST_MAIN(morvane::DayBalloonTest)
#include "DayBalloonTest.moc"
