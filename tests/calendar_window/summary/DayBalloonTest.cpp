#include "calendar_window/summary/DayBalloon.h"

#include "calendar_window/month/ScheduleFixture.h"
#include "calendar_window/summary/DayBalloonPopup.h"
#include "calendar_window/window/CalendarFrm.h"
#include "context/AppContext.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QWidget>

namespace morvane {

using test::Dated;
using test::ScheduleFixture;

// The balloon of a day of May 2024, from the moment the calendar asks for it.
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
            calendar.resize(200, 200);
        }
        ScheduleFixture fixture;
        FixedClock clock;
        AppContext context;
        QWidget calendar;
    };

    static DayBalloonPopup* ShownPopup()
    {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName() == QLatin1String("DayBalloon") && window->isVisible())
                return qobject_cast<DayBalloonPopup*>(window);
        }
        return nullptr;
    }

    static QLabel* ShownTitle()
    {
        return ShownPopup()->findChild<QLabel*>(QStringLiteral("BalloonTitle"));
    }

private slots:
    void restingShowsTheTitleAndTheMessages()
    {
        Setup s;
        DayBalloon balloon(s.context, &s.calendar);
        balloon.ShowDayBalloon(QDate(2024, 5, 3), QPoint(100, 100));
        QVERIFY(balloon.hasBalloon());
        QVERIFY(!balloon.isShown()); // not before the pointer rests
        QTRY_VERIFY(balloon.isShown());
        QCOMPARE(ShownTitle()->text(), QStringLiteral("2024/5/3(金)[先負]"));
        QVERIFY(ShownTitle()->isVisible());
        // The separator line of the text is drawn as a rule between the blocks.
        QCOMPARE(ShownPopup()->blocks(),
                 (QStringList{QStringLiteral("会議"), QStringLiteral("憲法記念日の準備")}));
        QCOMPARE(ShownPopup()->findChildren<QFrame*>(QStringLiteral("BalloonSeparator")).size(), 1);
    }

    void dayWithoutSchedulesShowsOnlyTheDateLine()
    {
        Setup s;
        DayBalloon balloon(s.context, &s.calendar);
        balloon.ShowDayBalloon(QDate(2024, 5, 4), QPoint(100, 100));
        QTRY_VERIFY(balloon.isShown());
        QVERIFY(!ShownTitle()->isVisible());
        QCOMPARE(ShownPopup()->blocks(), QStringList{QStringLiteral("2024/5/4(土)[仏滅]")});
    }

    void removedWhenTheCalendarSaysSo()
    {
        Setup s;
        DayBalloon balloon(s.context, &s.calendar);
        balloon.ShowDayBalloon(QDate(2024, 5, 3), QPoint(100, 100));
        QTRY_VERIFY(balloon.isShown());
        balloon.destroyBalloon();
        QVERIFY(!balloon.hasBalloon());
        QVERIFY(!balloon.isShown());
        QCOMPARE(balloon.currentText(), DayBalloonText());
    }

    void calendarWindowHandsItsDaysOver()
    {
        Setup s;
        CalendarFrm calendar(s.context);
        DayBalloon* balloon = AttachDayBalloon(calendar);
        emit calendar.dayBalloonRequested(13, QDate(2024, 5, 3), QPoint(100, 100));
        QCOMPARE(balloon->currentText().title, QStringLiteral("2024/5/3(金)[先負]"));
        emit calendar.dayBalloonDismissed();
        QVERIFY(!balloon->hasBalloon());
    }

    void switchedOffShowsNothing()
    {
        Setup s;
        s.context.settings().ToolTipView = false;
        DayBalloon balloon(s.context, &s.calendar);
        balloon.ShowDayBalloon(QDate(2024, 5, 3), QPoint(100, 100));
        QVERIFY(!balloon.hasBalloon());
        QTest::qWait(50);
        QVERIFY(!balloon.isShown());
    }
};

} // namespace morvane

QTEST_MAIN(morvane::DayBalloonTest)
#include "DayBalloonTest.moc"
