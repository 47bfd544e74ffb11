#include "calendar_window/dialogs/SetDateFrm.h"

#include "calendar_window/month/MonthModel.h"
#include "calendar_window/month/SettingColor.h"
#include "context/AppContext.h"
#include "data/records/ScheduleDatabase.h"
#include "ui_toolkit/WindowStacking.h"

#include <QCalendarWidget>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QScreen>
#include <QShortcut>
#include <QTableView>
#include <QTextCharFormat>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace morvane {

namespace {

// Room beside the caption for the window manager's buttons, so the caption
// is never cut.
constexpr int kCaptionRoom = 120;

QToolButton* MonthButton(const QString& name, const QString& text, const QString& tip,
                         QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(tip);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

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
    // The widget's own bar reads "11月 2025"; ours reads "2025年11月".
    MonthView1->setNavigationBarVisible(false);

    PreviousMonth = MonthButton(QStringLiteral("PreviousMonth"), QStringLiteral(u"◀"),
                                QStringLiteral(u"前月"), this);
    NextMonth = MonthButton(QStringLiteral("NextMonth"), QStringLiteral(u"▶"),
                            QStringLiteral(u"次月"), this);
    MonthTitle = new QLabel(this);
    MonthTitle->setObjectName(QStringLiteral("MonthTitle"));
    MonthTitle->setAlignment(Qt::AlignCenter);
    QFont titleFont = MonthTitle->font();
    titleFont.setBold(true);
    MonthTitle->setFont(titleFont);
    auto* bar = new QHBoxLayout;
    bar->addWidget(PreviousMonth);
    bar->addWidget(MonthTitle, 1);
    bar->addWidget(NextMonth);
    connect(PreviousMonth, &QToolButton::clicked, MonthView1, &QCalendarWidget::showPreviousMonth);
    connect(NextMonth, &QToolButton::clicked, MonthView1, &QCalendarWidget::showNextMonth);
    connect(MonthView1, &QCalendarWidget::currentPageChanged, this, &SetDateFrm::showPage);

    applyCalendarColours();
    const QDate today = context.clock().today();
    QDate month = context.displayMonthDate();
    if (!month.isValid()) {
        month = QDate(today.year(), today.month(), 1);
    }
    MonthView1->setSelectedDate(InitialDate(month, today));
    MonthView1->setCurrentPage(month.year(), month.month());
    showPage(month.year(), month.month());

    auto* label = new QLabel(QStringLiteral("作成する日を選択してください。"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(MonthView1);
    layout->addWidget(label);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumWidth(QFontMetrics(font()).horizontalAdvance(windowTitle()) + kCaptionRoom);

    // A click, Enter or a double click on a day: whichever comes first.
    connect(MonthView1, &QCalendarWidget::clicked, this, &SetDateFrm::MonthView1_DateClick);
    connect(MonthView1, &QCalendarWidget::activated, this, &SetDateFrm::MonthView1_DateClick);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - width()) / 2,
             area.top() + (area.height() - height()) / 2);
    }
    SetTopMost(this);
}

// The grid on the calendar's background, the selection in its cursor
// colour, the weekday names in their colours.
void SetDateFrm::applyCalendarColours()
{
    const Settings& settings = m_context.settings();
    const QColor back = SettingColor(settings.CalendarBackColor);
    const QColor weekdays = SettingColor(settings.WeekdaysColor);
    const QColor cursor = SettingColor(settings.CursorColor);
    if (auto* grid = MonthView1->findChild<QTableView*>()) {
        QPalette palette = grid->palette();
        palette.setColor(QPalette::Base, back);
        palette.setColor(QPalette::AlternateBase, back);
        palette.setColor(QPalette::Window, back);
        palette.setColor(QPalette::Text, weekdays);
        palette.setColor(QPalette::Highlight, cursor);
        palette.setColor(QPalette::HighlightedText, QColor(0, 0, 0));
        // Days of the neighbouring months, half way to the background.
        const QColor faded((weekdays.red() + back.red()) / 2, (weekdays.green() + back.green()) / 2,
                           (weekdays.blue() + back.blue()) / 2);
        palette.setColor(QPalette::Disabled, QPalette::Text, faded);
        grid->setPalette(palette);
    }
    QTextCharFormat header;
    header.setBackground(back);
    header.setForeground(weekdays);
    MonthView1->setHeaderTextFormat(header);
    const std::pair<Qt::DayOfWeek, qint32> colours[] = {
        {Qt::Sunday, settings.SundayColor},     {Qt::Monday, settings.WeekdaysColor},
        {Qt::Tuesday, settings.WeekdaysColor},  {Qt::Wednesday, settings.WeekdaysColor},
        {Qt::Thursday, settings.WeekdaysColor}, {Qt::Friday, settings.WeekdaysColor},
        {Qt::Saturday, settings.SaturdayColor}};
    for (const auto& [day, colour] : colours) {
        QTextCharFormat format;
        format.setForeground(SettingColor(colour));
        format.setBackground(back);
        MonthView1->setWeekdayTextFormat(day, format);
    }
}

// The month's title, and its days coloured as the calendar colours them:
// holidays, substitute holidays, days between holidays and the days a
// schedule colours.
void SetDateFrm::showPage(int year, int month)
{
    const QDate first(year, month, 1);
    MonthTitle->setText(QStringLiteral(u"%1年%2月").arg(year).arg(month));
    MonthView1->setDateTextFormat(QDate(), QTextCharFormat());
    ScheduleDatabase* database = m_context.database();
    QString error; // a failed read leaves the days in their weekday colours
    const MonthModel model =
        BuildMonthModel(first, m_context.settings(), database ? &database->schedules() : nullptr,
                        m_context.clock().now(), m_context.MarkSymbols, &error);
    const QColor back = SettingColor(m_context.settings().CalendarBackColor);
    const QDate today = m_context.clock().today();
    for (int day = 1; day <= first.daysInMonth(); ++day) {
        const DayCell& cell = model.cells[CellOfDay(first, day)];
        QTextCharFormat format;
        format.setForeground(cell.textColor);
        format.setBackground(back);
        if (first.addDays(day - 1) == today)
            format.setFontWeight(QFont::Bold);
        MonthView1->setDateTextFormat(first.addDays(day - 1), format);
    }
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
