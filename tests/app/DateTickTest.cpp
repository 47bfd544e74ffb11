#include "app/DateTick.h"

#include "calendar_window/month/MonthModel.h"
#include "calendar_window/month/MonthView.h"
#include "context/AppContext.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace morvane;

namespace {

class RecordingView final : public MonthView
{
public:
    void showMonth(const MonthModel& model) override
    {
        ++drawings;
        firstDay = model.firstDay;
    }
    void showTodayCursor(int cell) override { cursorCell = cell; }
    void setTitle(const QString&) override {}
    void setTitleClock(bool) override {}
    void paintCalendarBackground() override {}

    int drawings = 0;
    QDate firstDay;
    int cursorCell = -1;
};

} // namespace

class DateTickTest : public QObject
{
    Q_OBJECT

private slots:
    void newDayReturnsToTheCurrentMonth()
    {
        QTemporaryDir dir;
        FixedClock clock(QDateTime(QDate(2026, 5, 31), QTime(23, 59, 58)));
        AppContext context(clock, dir.path());
        context.MarkSymbols = StandardMarkSymbols();
        context.DisplayMonth = QStringLiteral("2026/2/01"); // the user looks elsewhere
        QDate lastDate = clock.today();
        context.LastDay = 31;
        RecordingView view;
        QSignalSpy changed(&context.events(), &AppEvents::dateChanged);
        QSignalSpy scans(&context.events(), &AppEvents::alarmScanRequested);

        QVERIFY(!DateTick(context, view, lastDate));
        QCOMPARE(view.drawings, 0);
        QCOMPARE(context.DisplayMonth, QStringLiteral("2026/2/01"));

        clock.advanceSeconds(5); // 1 June, 00:00:03
        QVERIFY(DateTick(context, view, lastDate));
        QCOMPARE(view.drawings, 1);
        QCOMPARE(view.firstDay, QDate(2026, 6, 1));
        QCOMPARE(context.DisplayMonth, QStringLiteral("2026/6/01"));
        QCOMPARE(context.LastDay, 1);
        QCOMPARE(lastDate, QDate(2026, 6, 1));
        QVERIFY(view.cursorCell > 0);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().first().toDate(), QDate(2026, 6, 1));
        QCOMPARE(scans.count(), 1);

        QVERIFY(!DateTick(context, view, lastDate));
        QCOMPARE(view.drawings, 1);
    }

    void sameDayNumberAMonthLaterIsStillANewDay()
    {
        QTemporaryDir dir;
        FixedClock clock(QDateTime(QDate(2026, 5, 10), QTime(12, 0)));
        AppContext context(clock, dir.path());
        QDate lastDate = clock.today();
        RecordingView view;
        clock.set(QDateTime(QDate(2026, 6, 10), QTime(8, 0))); // resumed from sleep
        QVERIFY(DateTick(context, view, lastDate));
        QCOMPARE(view.firstDay, QDate(2026, 6, 1));
    }
};

QTEST_GUILESS_MAIN(DateTickTest)
#include "DateTickTest.moc"
