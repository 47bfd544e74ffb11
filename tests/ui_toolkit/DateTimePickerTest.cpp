#include "ui_toolkit/DateTimePicker.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace morvane;

namespace {

const QDateTime Dec8(QDate(2026, 12, 8), QTime(9, 5));

} // namespace

class DateTimePickerTest : public QObject
{
    Q_OBJECT

private slots:
    void checkBoxMakesTheValueNull()
    {
        DateTimePicker picker(QStringLiteral("yyyy年M月d日(ddd)"));
        picker.setShowCheckBox(true);
        picker.setValue(Dec8);
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        QSignalSpy changed(&picker, &DateTimePicker::changed);

        // The user clears the box: Null, but the field keeps the date, greyed.
        QTest::mouseClick(picker.checkBox(), Qt::LeftButton);
        QVERIFY(!picker.isChecked());
        QVERIFY(!picker.value().has_value());
        QVERIFY(!picker.date().has_value());
        QVERIFY(!picker.time().has_value());
        QCOMPARE(picker.shownDateTime(), Dec8);
        QCOMPARE(picker.year(), 2026);
        QVERIFY(picker.editor()->isReadOnly());
        QCOMPARE(changed.count(), 1);

        // A cleared field cannot be stepped.
        picker.editor()->setFocus();
        QTest::keyClick(picker.editor(), Qt::Key_Up);
        QCOMPARE(picker.shownDateTime(), Dec8);

        // Space checks it again, with the date it kept.
        QTest::keyClick(picker.editor(), Qt::Key_Space);
        QVERIFY(picker.isChecked());
        QCOMPARE(picker.date(), std::optional<QDate>(QDate(2026, 12, 8)));
        QCOMPARE(changed.count(), 2);
    }

    void codeChangesAreNotUserChanges()
    {
        DateTimePicker picker;
        picker.setShowCheckBox(true);
        QSignalSpy changed(&picker, &DateTimePicker::changed);
        QSignalSpy valueChanged(&picker, &DateTimePicker::valueChanged);

        picker.setValue(Dec8);
        picker.setValue(std::nullopt);
        QVERIFY(!picker.value().has_value());
        picker.setDate(QDate(2027, 1, 1)); // a value checks the box
        QVERIFY(picker.isChecked());
        QCOMPARE(picker.date(), std::optional<QDate>(QDate(2027, 1, 1)));
        picker.setYear(2030);

        QCOMPARE(changed.count(), 0);
        QVERIFY(valueChanged.count() >= 4);

        // A user step is a change.
        picker.editor()->setFocus();
        QTest::keyClick(picker.editor(), Qt::Key_Up);
        QCOMPARE(changed.count(), 1);
    }

    void withoutCheckBoxNeverNull()
    {
        DateTimePicker picker(QStringLiteral("HH:mm"));
        picker.setValue(Dec8);
        picker.setValue(std::nullopt);
        picker.setChecked(false);
        QVERIFY(picker.isChecked());
        QCOMPARE(picker.time(), std::optional<QTime>(QTime(9, 5)));
        QVERIFY(!picker.editor()->calendarPopup());
    }

    void formats_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QDateTime>("value");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("calendarPopup");
        QTest::newRow("editor date") << "yyyy年M月d日(ddd)" << Dec8 << "2026年12月8日(火)" << true;
        QTest::newRow("Sunday") << "yyyy年M月d日(ddd)" << QDateTime(QDate(2026, 3, 1), QTime())
                                << "2026年3月1日(日)" << true;
        QTest::newRow("time") << "HH:mm" << Dec8 << "09:05" << false;
        QTest::newRow("birth year") << "yyyy年" << Dec8 << "2026年" << false;
        QTest::newRow("short date") << "yyyy/MM/dd" << Dec8 << "2026/12/08" << true;
    }

    void formats()
    {
        QFETCH(QString, format);
        QFETCH(QDateTime, value);
        QFETCH(QString, text);
        QFETCH(bool, calendarPopup);
        DateTimePicker picker(format);
        picker.setValue(value);
        QCOMPARE(picker.text(), text);
        QCOMPARE(picker.editor()->calendarPopup(), calendarPopup);
        QCOMPARE(picker.value(), std::optional<QDateTime>(value));
    }

    void partsKeepTheRestAndClipTheDay()
    {
        DateTimePicker picker(QStringLiteral("yyyy年M月d日(ddd)"));
        picker.setValue(QDateTime(QDate(2024, 2, 29), QTime(23, 30)));
        picker.setYear(2025);
        QCOMPARE(picker.shownDateTime(), QDateTime(QDate(2025, 2, 28), QTime(23, 30)));
        picker.setValue(QDateTime(QDate(2026, 1, 31), QTime(23, 30)));
        picker.setMonth(4);
        QCOMPARE(picker.shownDateTime().date(), QDate(2026, 4, 30));
        picker.setDay(31); // no 31 April: unchanged
        QCOMPARE(picker.day(), 30);

        DateTimePicker time(QStringLiteral("HH:mm"));
        time.setValue(Dec8);
        time.setHour(23);
        time.setMinute(59);
        time.setHour(24); // not an hour: unchanged
        QCOMPARE(time.text(), QStringLiteral("23:59"));
        QCOMPARE(time.hour(), 23);
        QCOMPARE(time.minute(), 59);
        QCOMPARE(time.shownDateTime().date(), Dec8.date());
    }

    // A click, or a double click, on a number chooses that number alone
    // (never the literal text after it), and digits typed then replace it.
    void digitsTypedAfterAClick_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<int>("character"); // clicked: index in the shown text
        QTest::addColumn<bool>("doubleClick");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("digits");
        QTest::addColumn<QString>("text");
        QTest::newRow("hour, click") << "HH:mm" << 1 << false << "09"
                                     << "14"
                                     << "14:05";
        QTest::newRow("minute, click") << "HH:mm" << 4 << false << "05"
                                       << "45"
                                       << "09:45";
        QTest::newRow("minute, double click") << "HH:mm" << 3 << true << "05"
                                              << "30"
                                              << "09:30";
        QTest::newRow("year, click") << "yyyy年" << 2 << false << "2026"
                                     << "1990"
                                     << "1990年";
        QTest::newRow("year, double click") << "yyyy年" << 1 << true << "2026"
                                            << "1985"
                                            << "1985年";
    }

    void digitsTypedAfterAClick()
    {
        QFETCH(QString, format);
        QFETCH(int, character);
        QFETCH(bool, doubleClick);
        QFETCH(QString, selected);
        QFETCH(QString, digits);
        QFETCH(QString, text);
        QWidget window;
        DateTimePicker picker(format, &window);
        picker.setDateRange(QDate(1800, 1, 1), QDate(2100, 12, 31));
        picker.setValue(Dec8);
        picker.resize(160, picker.sizeHint().height());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy changed(&picker, &DateTimePicker::changed);

        auto* line = picker.editor()->findChild<QLineEdit*>();
        QVERIFY(line);
        // The middle of the character: between its left and right edges.
        line->setCursorPosition(character);
        const int left = line->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
        line->setCursorPosition(character + 1);
        const int right = line->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
        line->setCursorPosition(0);
        const QPoint at((left + right) / 2, line->height() / 2);
        QTest::mouseClick(line, Qt::LeftButton, {}, at);
        if (doubleClick)
            QTest::mouseDClick(line, Qt::LeftButton, {}, at);
        QCoreApplication::processEvents();
        QCOMPARE(line->selectedText(), selected);

        QTest::keyClicks(picker.editor(), digits);
        QCOMPARE(picker.text(), text);
        QVERIFY(changed.count() >= 1);
    }

    void rangeBoundsTheValue()
    {
        DateTimePicker picker(QStringLiteral("yyyy年M月d日(ddd)"));
        picker.setDateRange(QDate(1951, 1, 1), QDate(2050, 12, 31));
        picker.setDate(QDate(1900, 5, 5));
        QCOMPARE(picker.date(), std::optional<QDate>(QDate(1951, 1, 1)));
        picker.setDate(QDate(2051, 1, 1));
        QCOMPARE(picker.date(), std::optional<QDate>(QDate(2050, 12, 31)));
        QCOMPARE(picker.minimumDate(), QDate(1951, 1, 1));
    }
};

QTEST_MAIN(DateTimePickerTest)
#include "DateTimePickerTest.moc"
