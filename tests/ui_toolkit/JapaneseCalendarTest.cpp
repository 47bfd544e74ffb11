#include "ui_toolkit/DateTimePicker.h"

#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QHBoxLayout>
#include <QTest>
#include <QTextCharFormat>
#include <QToolButton>

using namespace morvane;

// The calendar that drops down from a date picker reads as Japanese
// calendars do: "2026年" before "12月", Saturdays blue, Sundays red.
class JapaneseCalendarTest : public QObject
{
    Q_OBJECT

private:
    static QString heading(QCalendarWidget* calendar)
    {
        auto* month = calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"));
        auto* year = calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_yearbutton"));
        if (!month || !year)
            return {};
        auto* row = qobject_cast<QHBoxLayout*>(month->parentWidget()->layout());
        const QString first =
            row->indexOf(year) < row->indexOf(month) ? year->text() : month->text();
        const QString second = first == year->text() ? month->text() : year->text();
        return first + second;
    }

private slots:
    void headingAndWeekendColours()
    {
        DateTimePicker picker(QStringLiteral(u"yyyy年M月d日(ddd)"));
        picker.setDate(QDate(2026, 12, 8));
        QCalendarWidget* calendar = picker.findChild<QDateTimeEdit*>()->calendarWidget();
        QVERIFY(calendar);
        calendar->setCurrentPage(2026, 12);
        QCOMPARE(heading(calendar), QStringLiteral(u"2026年12月"));
        calendar->showNextMonth();
        QCOMPARE(heading(calendar), QStringLiteral(u"2027年1月"));

        QCOMPARE(calendar->weekdayTextFormat(Qt::Saturday).foreground().color(), QColor(0, 0, 255));
        QCOMPARE(calendar->weekdayTextFormat(Qt::Sunday).foreground().color(), QColor(255, 0, 0));
        QVERIFY(calendar->weekdayTextFormat(Qt::Friday).foreground().color() != QColor(255, 0, 0));
    }
};

QTEST_MAIN(JapaneseCalendarTest)
#include "JapaneseCalendarTest.moc"
