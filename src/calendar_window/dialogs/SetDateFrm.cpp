#include "calendar_window/dialogs/SetDateFrm.h"

#include "context/AppContext.h"
#include "ui_toolkit/WindowStacking.h"

#include <QCalendarWidget>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace morvane {

SetDateFrm::SetDateFrm(AppContext& context, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      MonthView1(new QCalendarWidget(this)), m_context(context)
{
    setObjectName(QStringLiteral("SetDateFrm"));
    setWindowTitle(QStringLiteral("日付指定"));
    setAttribute(Qt::WA_DeleteOnClose);

    MonthView1->setObjectName(QStringLiteral("MonthView1"));
    MonthView1->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    MonthView1->setFirstDayOfWeek(Qt::Sunday);
    MonthView1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    MonthView1->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);

    const QDate today = context.clock().today();
    QDate month = context.displayMonthDate();
    if (!month.isValid()) {
        month = QDate(today.year(), today.month(), 1);
    }
    MonthView1->setSelectedDate(InitialDate(month, today));
    MonthView1->setCurrentPage(month.year(), month.month());

    auto* label = new QLabel(QStringLiteral("作成する日を選択してください。"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MonthView1);
    layout->addWidget(label);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // A click, Enter or a double click on a day: whichever comes first.
    connect(MonthView1, &QCalendarWidget::clicked, this, &SetDateFrm::MonthView1_DateClick);
    connect(MonthView1, &QCalendarWidget::activated, this, &SetDateFrm::MonthView1_DateClick);

    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - width()) / 2,
             area.top() + (area.height() - height()) / 2);
    }
    SetTopMost(this);
}

QDate SetDateFrm::InitialDate(QDate displayMonth, QDate today)
{
    const QDate first(displayMonth.year(), displayMonth.month(), 1);
    return first.addDays(std::min(today.day(), first.daysInMonth()) - 1);
}

void SetDateFrm::MonthView1_DateClick(QDate date)
{
    if (m_chosen) {
        return; // the second half of a double click
    }
    m_chosen = true;
    m_context.events().editorRequested(date, false);
    emit m_context.events().newScheduleRequested(date);
    close();
}

} // namespace morvane
