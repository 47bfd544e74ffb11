#include "ui_toolkit/DateTimePicker.h"

#include "ui_toolkit/JapaneseCalendar.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <algorithm>

namespace morvane {

namespace {

const QLocale& japanese()
{
    static const QLocale locale(QLocale::Japanese, QLocale::Japan);
    return locale;
}

// True when the pattern has a day section outside quoted literal text.
bool formatHasDay(const QString& format)
{
    bool quoted = false;
    for (QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        else if (!quoted && c == u'd')
            return true;
    }
    return false;
}

// A date with the day clipped to the month's length.
QDate clippedDate(int year, int month, int day)
{
    const QDate first(year, month, 1);
    if (!first.isValid())
        return {};
    return QDate(year, month, std::clamp(day, 1, first.daysInMonth()));
}

} // namespace

DateTimePicker::DateTimePicker(QWidget* parent)
    : DateTimePicker(QStringLiteral("yyyy/MM/dd"), parent)
{}

DateTimePicker::DateTimePicker(const QString& format, QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    m_check = new QCheckBox(this);
    m_check->setChecked(true);
    m_check->setFocusPolicy(Qt::NoFocus); // Space in the field toggles it
    m_check->setVisible(false);
    layout->addWidget(m_check);

    m_edit = new QDateTimeEdit(this);
    m_edit->setLocale(japanese());
    m_edit->installEventFilter(this);
    // Clicks land on the field's text line inside the edit.
    m_line = m_edit->findChild<QLineEdit*>();
    if (m_line)
        m_line->installEventFilter(this);
    layout->addWidget(m_edit, 1);
    setFocusProxy(m_edit);
    setSizePolicy(m_edit->sizePolicy());

    connect(m_edit, &QDateTimeEdit::dateTimeChanged, this, [this] {
        emit valueChanged();
        if (m_codeDepth == 0)
            emit changed();
    });
    connect(m_check, &QCheckBox::toggled, this, [this] {
        updateEnabled();
        emit valueChanged();
        if (m_codeDepth == 0)
            emit changed();
    });

    setCustomFormat(format);
}

void DateTimePicker::setCustomFormat(const QString& format)
{
    ++m_codeDepth;
    m_edit->setDisplayFormat(format);
    m_edit->setCalendarPopup(formatHasDay(format));
    --m_codeDepth;
    applyCalendarColor();
}

QString DateTimePicker::customFormat() const
{
    return m_edit->displayFormat();
}

void DateTimePicker::setShowCheckBox(bool show)
{
    m_check->setVisible(show);
    if (!show)
        setChecked(true);
    updateEnabled();
}

bool DateTimePicker::showCheckBox() const
{
    return !m_check->isHidden();
}

bool DateTimePicker::isChecked() const
{
    return m_check->isChecked();
}

void DateTimePicker::setChecked(bool checked)
{
    if (!checked && !showCheckBox())
        return; // a picker without a check box always has a value
    ++m_codeDepth;
    m_check->setChecked(checked);
    --m_codeDepth;
}

std::optional<QDateTime> DateTimePicker::value() const
{
    if (!isChecked())
        return std::nullopt;
    return m_edit->dateTime();
}

void DateTimePicker::setValue(const std::optional<QDateTime>& value)
{
    if (value.has_value() && value->isValid()) {
        setShown(*value);
        setChecked(true);
    } else {
        setChecked(false);
    }
}

std::optional<QDate> DateTimePicker::date() const
{
    if (!isChecked())
        return std::nullopt;
    return m_edit->date();
}

void DateTimePicker::setDate(const QDate& date)
{
    setValue(QDateTime(date, m_edit->time()));
}

std::optional<QTime> DateTimePicker::time() const
{
    if (!isChecked())
        return std::nullopt;
    return m_edit->time();
}

void DateTimePicker::setTime(const QTime& time)
{
    setValue(QDateTime(m_edit->date(), time));
}

QDateTime DateTimePicker::shownDateTime() const
{
    return m_edit->dateTime();
}

QString DateTimePicker::text() const
{
    return m_edit->text();
}

int DateTimePicker::year() const
{
    return m_edit->date().year();
}

int DateTimePicker::month() const
{
    return m_edit->date().month();
}

int DateTimePicker::day() const
{
    return m_edit->date().day();
}

int DateTimePicker::hour() const
{
    return m_edit->time().hour();
}

int DateTimePicker::minute() const
{
    return m_edit->time().minute();
}

void DateTimePicker::setYear(int year)
{
    const QDate shown = m_edit->date();
    const QDate date = clippedDate(year, shown.month(), shown.day());
    if (date.isValid())
        setShown(QDateTime(date, m_edit->time()));
}

void DateTimePicker::setMonth(int month)
{
    const QDate shown = m_edit->date();
    const QDate date = clippedDate(shown.year(), month, shown.day());
    if (date.isValid())
        setShown(QDateTime(date, m_edit->time()));
}

void DateTimePicker::setDay(int day)
{
    const QDate shown = m_edit->date();
    const QDate date(shown.year(), shown.month(), day);
    if (date.isValid())
        setShown(QDateTime(date, m_edit->time()));
}

void DateTimePicker::setHour(int hour)
{
    const QTime time(hour, m_edit->time().minute());
    if (time.isValid())
        setShown(QDateTime(m_edit->date(), time));
}

void DateTimePicker::setMinute(int minute)
{
    const QTime time(m_edit->time().hour(), minute);
    if (time.isValid())
        setShown(QDateTime(m_edit->date(), time));
}

void DateTimePicker::setDateRange(const QDate& minimum, const QDate& maximum)
{
    ++m_codeDepth;
    m_edit->setDateRange(minimum, maximum);
    --m_codeDepth;
}

QDate DateTimePicker::minimumDate() const
{
    return m_edit->minimumDate();
}

QDate DateTimePicker::maximumDate() const
{
    return m_edit->maximumDate();
}

void DateTimePicker::setCalendarBackColor(const QColor& color)
{
    m_calendarColor = color;
    applyCalendarColor();
}

bool DateTimePicker::eventFilter(QObject* watched, QEvent* event)
{
    const bool leftMouse = (event->type() == QEvent::MouseButtonDblClick ||
                            event->type() == QEvent::MouseButtonRelease) &&
                           static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    if (watched == m_line && m_line && leftMouse) {
        // A click or a double click chooses the number under the pointer,
        // without the literal text beside it, so that the digits typed
        // next replace it: a field is typed into as the user expects,
        // never refused for a digit too many or a 年 selected with it.
        if (event->type() == QEvent::MouseButtonDblClick) {
            selectSectionAtCursor();
            return true; // not the line's word selection
        }
        if (!m_line->hasSelectedText())
            selectSectionAtCursor();
    }
    if (watched == m_edit && showCheckBox()) {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
            m_check->toggle(); // the user's toggle: changed() follows
            return true;
        }
        // A cleared field is read-only: no drop-down calendar either.
        if (!isChecked() && (event->type() == QEvent::MouseButtonPress ||
                             event->type() == QEvent::MouseButtonDblClick)) {
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void DateTimePicker::selectSectionAtCursor()
{
    const QDateTimeEdit::Section section = m_edit->currentSection();
    if (section != QDateTimeEdit::NoSection)
        m_edit->setSelectedSection(section);
}

void DateTimePicker::setShown(const QDateTime& value)
{
    ++m_codeDepth;
    m_edit->setDateTime(value);
    --m_codeDepth;
}

void DateTimePicker::applyCalendarColor()
{
    if (!m_edit->calendarPopup())
        return;
    QCalendarWidget* calendar = m_edit->calendarWidget();
    calendar->setLocale(japanese());
    StyleJapaneseCalendar(calendar);
    if (!m_calendarColor.isValid())
        return;
    QPalette palette = calendar->palette();
    palette.setColor(QPalette::Base, m_calendarColor);
    palette.setColor(QPalette::AlternateBase, m_calendarColor);
    calendar->setPalette(palette);
}

void DateTimePicker::updateEnabled()
{
    // Read-only rather than disabled, so the field keeps the focus and Space
    // can check the box again.
    const bool set = isChecked();
    m_edit->setReadOnly(!set);
    QPalette palette = m_edit->palette();
    const QColor text = set ? QPalette().color(QPalette::Active, QPalette::Text)
                            : QPalette().color(QPalette::Disabled, QPalette::Text);
    palette.setColor(QPalette::Active, QPalette::Text, text);
    palette.setColor(QPalette::Inactive, QPalette::Text, text);
    m_edit->setPalette(palette);
}

} // namespace morvane
