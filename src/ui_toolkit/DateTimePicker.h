#pragma once

#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QWidget>
#include <optional>

class QCheckBox;
class QDateTimeEdit;
class QLineEdit;

namespace morvane {

// A date or time field with an optional check box; a cleared box makes the
// value Null while the field keeps showing its last date, greyed. The format
// uses the date-time pattern tokens yyyy, yy, M, MM, d, dd, ddd (weekday),
// H, HH, mm and literal text, e.g. "yyyy年M月d日(ddd)", "HH:mm", "yyyy年";
// names come out in Japanese. Formats with a day get a drop-down calendar,
// the others step with the arrow keys and the wheel.
class DateTimePicker : public QWidget
{
    Q_OBJECT

public:
    explicit DateTimePicker(QWidget* parent = nullptr);
    explicit DateTimePicker(const QString& format, QWidget* parent = nullptr);

    void setCustomFormat(const QString& format);
    QString customFormat() const;

    // The check box is off by default; without it the value is never Null.
    void setShowCheckBox(bool show);
    bool showCheckBox() const;
    // Checked means the value is set. Always true without a check box.
    bool isChecked() const;
    void setChecked(bool checked);

    // Null while the box is cleared. Setting a value checks the box;
    // setting Null clears it and keeps the shown date.
    std::optional<QDateTime> value() const;
    void setValue(const std::optional<QDateTime>& value);
    std::optional<QDate> date() const;
    void setDate(const QDate& date);
    std::optional<QTime> time() const;
    void setTime(const QTime& time);

    // What the field shows, whether or not the box is checked.
    QDateTime shownDateTime() const;
    QString text() const;

    // Parts of the shown value. Setting a part keeps the others (the day is
    // clipped to the new month) and leaves the check box alone.
    int year() const;
    int month() const;
    int day() const;
    int hour() const;
    int minute() const;
    void setYear(int year);
    void setMonth(int month);
    void setDay(int day);
    void setHour(int hour);
    void setMinute(int minute);

    void setDateRange(const QDate& minimum, const QDate& maximum);
    QDate minimumDate() const;
    QDate maximumDate() const;

    // Background of the drop-down calendar.
    void setCalendarBackColor(const QColor& color);

    QDateTimeEdit* editor() const { return m_edit; }
    QCheckBox* checkBox() const { return m_check; }

signals:
    // The user changed the date, the time or the check box.
    void changed();
    // The value or the check box changed, by the user or from code.
    void valueChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setShown(const QDateTime& value);
    void applyCalendarColor();
    void updateEnabled();
    void selectSectionAtCursor();

    QCheckBox* m_check = nullptr;
    QDateTimeEdit* m_edit = nullptr;
    QLineEdit* m_line = nullptr;
    QColor m_calendarColor;
    int m_codeDepth = 0; // > 0 while code, not the user, changes the value
};

} // namespace morvane
