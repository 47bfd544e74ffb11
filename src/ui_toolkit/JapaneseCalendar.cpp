#include "ui_toolkit/JapaneseCalendar.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QSpinBox>
#include <QTextCharFormat>
#include <QToolButton>

namespace morvane {

namespace {

const char* const kStyledProperty = "morvaneJapaneseHeading";

// The toolkit writes the bare year into its year button at every page
// change; the heading reads "2026年" then "12月".
void ShowYearWithItsUnit(QCalendarWidget* calendar)
{
    auto* year = calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_yearbutton"));
    if (year)
        year->setText(QStringLiteral("%1年").arg(calendar->yearShown()));
}

void PutYearBeforeMonth(QCalendarWidget* calendar)
{
    auto* month = calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"));
    auto* year = calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_yearbutton"));
    auto* yearEdit = calendar->findChild<QSpinBox*>(QStringLiteral("qt_calendar_yearedit"));
    QWidget* bar = month ? month->parentWidget() : nullptr;
    auto* row = bar ? qobject_cast<QHBoxLayout*>(bar->layout()) : nullptr;
    if (!row || !year || !yearEdit)
        return;
    const int at = row->indexOf(month);
    row->removeWidget(year);
    row->removeWidget(yearEdit);
    row->insertWidget(at, yearEdit);
    row->insertWidget(at, year);
    yearEdit->setSuffix(QStringLiteral("年"));
}

} // namespace

void StyleJapaneseCalendar(QCalendarWidget* calendar)
{
    if (!calendar)
        return;
    QTextCharFormat saturday = calendar->weekdayTextFormat(Qt::Saturday);
    saturday.setForeground(QColor(0, 0, 255));
    calendar->setWeekdayTextFormat(Qt::Saturday, saturday);
    QTextCharFormat sunday = calendar->weekdayTextFormat(Qt::Sunday);
    sunday.setForeground(QColor(255, 0, 0));
    calendar->setWeekdayTextFormat(Qt::Sunday, sunday);

    if (!calendar->property(kStyledProperty).toBool()) {
        calendar->setProperty(kStyledProperty, true);
        PutYearBeforeMonth(calendar);
        QObject::connect(calendar, &QCalendarWidget::currentPageChanged, calendar,
                         [calendar] { ShowYearWithItsUnit(calendar); });
    }
    ShowYearWithItsUnit(calendar);
}

} // namespace morvane
