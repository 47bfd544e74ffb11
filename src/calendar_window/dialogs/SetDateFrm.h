#pragma once

#include <QDate>
#include <QWidget>

class QCalendarWidget;
class QLabel;
class QToolButton;

namespace morvane {

class AppContext;

// "日付指定": picks the day of a new schedule. Opens on the displayed month
// with today's day chosen, centred on the screen and above other windows; a
// click on a date hands it on and the window goes, Escape closes it. The
// month reads as the calendar does ("2025年11月", Sundays, Saturdays,
// holidays and coloured days in the calendar's colours).
class SetDateFrm : public QWidget
{
    Q_OBJECT

public:
    explicit SetDateFrm(AppContext& context, QWidget* parent = nullptr);

    QCalendarWidget* MonthView1;
    // The month shown, "yyyy年M月", between the month buttons.
    QLabel* MonthTitle = nullptr;
    QToolButton* PreviousMonth = nullptr;
    QToolButton* NextMonth = nullptr;

    // The date chosen at load: today's day in the displayed month, or that
    // month's last day when it is shorter.
    static QDate InitialDate(QDate displayMonth, QDate today);

    // A date click: asks for the day editor and hides.
    void MonthView1_DateClick(QDate date);

private:
    void applyCalendarColours();
    void showPage(int year, int month);

    AppContext& m_context;
    bool m_chosen = false;
};

} // namespace morvane
