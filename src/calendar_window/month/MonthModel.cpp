#include "calendar_window/month/MonthModel.h"

#include "calendar_math/DateFormat.h"
#include "calendar_math/WeekFunctions.h"
#include "calendar_window/month/MonthCriteria.h"
#include "calendar_window/month/SettingColor.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleBounds.h"
#include "data/records/ScheduleCodes.h"
#include "data/records/ScheduleFields.h"

#include <exception>
#include <limits>
#include <vector>

namespace morvane {

namespace {

constexpr int HolidayType = static_cast<int>(ScheduleKind::Holiday);
constexpr int EquinoxType = static_cast<int>(ScheduleKind::EquinoxHoliday);

std::optional<int> NumberField(const Recordset& records, int field)
{
    const Value value = records.GetValue(field);
    bool ok = false;
    const qint64 number = value.toLongLong(&ok);
    if (!ok || number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(number);
}

const std::array<QColor, 16>& PaletteColors()
{
    static const std::array<QColor, 16> colors = [] {
        std::array<QColor, 16> table;
        for (int i = 0; i < 16; ++i)
            table[static_cast<std::size_t>(i)] = QColor::fromRgb(QBColor(i)->argb());
        return table;
    }();
    return colors;
}

// The palette colour of a stored colour code; none for Null and codes outside
// the palette.
std::optional<QColor> PaletteQColor(std::optional<int> code)
{
    if (!code || *code < 0 || *code > 15)
        return std::nullopt;
    return PaletteColors()[static_cast<std::size_t>(*code)];
}

// One schedule as the month pass reads it.
struct MonthRecord
{
    std::optional<int> type;
    std::optional<int> month;
    std::optional<int> day;
    std::optional<int> week;
    std::optional<int> dayOfTheWeek;
    std::optional<int> color;
    std::optional<int> mark;
    QString message;
    ScheduleBounds bounds;
};

// Positions of the fields the month pass reads, looked up once per pass.
struct MonthFields
{
    explicit MonthFields(const Recordset& records)
        : type(records.FieldIndex(schedule_fields::Type)),
          month(records.FieldIndex(schedule_fields::Month)),
          day(records.FieldIndex(schedule_fields::Day)),
          week(records.FieldIndex(schedule_fields::Week)),
          dayOfTheWeek(records.FieldIndex(schedule_fields::DayOfTheWeek)),
          color(records.FieldIndex(schedule_fields::Color)),
          mark(records.FieldIndex(schedule_fields::Mark)),
          message(records.FieldIndex(schedule_fields::Message))
    {}
    int type;
    int month;
    int day;
    int week;
    int dayOfTheWeek;
    int color;
    int mark;
    int message;
};

MonthRecord ReadRecord(const Recordset& records, const MonthFields& fields,
                       const ScheduleBoundsReader& bounds)
{
    MonthRecord record;
    record.bounds = bounds.read(records);
    record.type = NumberField(records, fields.type);
    record.month = NumberField(records, fields.month);
    record.day = NumberField(records, fields.day);
    record.week = NumberField(records, fields.week);
    record.dayOfTheWeek = NumberField(records, fields.dayOfTheWeek);
    record.color = NumberField(records, fields.color);
    record.mark = NumberField(records, fields.mark);
    // Only the equinox conversion looks at the text.
    if (record.month == 3 || record.month == 9)
        record.message = records.GetValue(fields.message).toString();
    return record;
}

bool IsEquinoxText(const MonthRecord& record)
{
    const QString head = record.message.left(4);
    return (record.month == 3 && head == QStringLiteral(u"春分の日")) ||
           (record.month == 9 && head == QStringLiteral(u"秋分の日"));
}

class MonthBuilder
{
public:
    MonthBuilder(QDate firstDay, const Settings& settings, const MarkSymbolTable& markSymbols)
        : m_first(firstDay), m_year(firstDay.year()), m_month(firstDay.month()),
          m_days(CalcDaysInMonth(firstDay)), m_w1(WeekdayNumber(firstDay)), m_settings(settings),
          m_marks(markSymbols)
    {
        m_model.firstDay = firstDay;
        m_model.daysInMonth = m_days;
    }

    void fillGrid();
    void writeTitle(const QDateTime& now);
    void schedulePass(Recordset& records);
    void holidayRuns();
    void sandwichedDays();
    void placeCursor(QDate today);

    MonthModel take() { return std::move(m_model); }

private:
    int cellOf(int day) const { return day + m_w1 + 6; }
    bool isDay(int day) const { return day >= 1 && day <= m_days; }
    bool isSunday(int day) const
    {
        return isDay(day) && WeekdayNumber(m_first.addDays(day - 1)) == 1;
    }
    void colourDay(int day, const QColor& color)
    {
        if (isDay(day))
            m_model.cells[static_cast<std::size_t>(cellOf(day))].textColor = color;
    }
    std::vector<int> targetDays(const MonthRecord& record) const;
    bool allows(const MonthRecord& record, int day) const
    {
        return record.bounds.isEmpty() || record.bounds.Allows(m_first.addDays(day - 1));
    }
    void drawRecord(const MonthRecord& record, const std::vector<int>& days);
    void flagHolidays(const MonthRecord& record, const std::vector<int>& days);
    void substituteDay(const MonthRecord& record);

    QDate m_first;
    int m_year;
    int m_month;
    int m_days;
    int m_w1;
    const Settings& m_settings;
    const MarkSymbolTable& m_marks;
    MonthModel m_model;

    // Per day 1 to 31: a holiday falls on it, and the colour it is drawn in.
    std::array<bool, 33> m_holiday{};
    std::array<std::optional<int>, 33> m_holidayColor{};
    // Per day 1 to 31: colour of the first dated holiday of exactly this
    // month (Type 1), for the runs of holidays from a Sunday.
    std::array<bool, 33> m_datedHoliday{};
    std::array<std::optional<int>, 33> m_datedHolidayColor{};
};

void MonthBuilder::fillGrid()
{
    const QColor sunday = SettingColor(m_settings.SundayColor);
    const QColor saturday = SettingColor(m_settings.SaturdayColor);
    const QColor weekdays = SettingColor(m_settings.WeekdaysColor);
    int i = 0;
    for (int row = 0; row <= 6; ++row) {
        for (int column = 1; column <= 7; ++column) {
            DayCell& cell = m_model.cells[static_cast<std::size_t>(row * 7 + column)];
            cell = DayCell{};
            cell.textColor = column == 1 ? sunday : column == 7 ? saturday : weekdays;
            if (row == 0)
                continue;
            if (row == 1 && column == m_w1)
                i = 1;
            cell.pointer = CustomPointer;
            if (i > 0) {
                if (i <= m_days)
                    cell.day = i;
                else
                    cell.pointer = DefaultPointer;
                ++i;
            }
        }
    }
}

void MonthBuilder::writeTitle(const QDateTime& now)
{
    const int type = IsValidTitleType(m_settings.TitleType) ? m_settings.TitleType : 0;
    m_model.title = TitleText(type, m_first, now);
    m_model.titleClockRunning = TitleHasClock(type);
    m_model.cells[0] = DayCell{};
    m_model.cells[0].pointer = CustomPointer;
}

std::vector<int> MonthBuilder::targetDays(const MonthRecord& record) const
{
    std::vector<int> days;
    const int weekday = record.dayOfTheWeek.value_or(0);
    if (record.week == 0) {
        // Every week: each day of the month in the record's weekday column.
        if (weekday >= 1 && weekday <= 7) {
            for (int day = 1; day <= m_days; ++day) {
                if ((cellOf(day) - 1) % 7 + 1 == weekday)
                    days.push_back(day);
            }
        }
    } else if (record.week && *record.week >= 1 && *record.week <= 5) {
        const int day = GetNthWeekday(m_year, m_month, *record.week, weekday);
        if (isDay(day))
            days.push_back(day);
    } else {
        const std::optional<int> day =
            record.type == EquinoxType
                ? std::optional<int>(GetEquinoxDay(m_year, record.month.value_or(0)))
                : record.day;
        if (day && isDay(*day))
            days.push_back(*day);
    }
    std::erase_if(days, [&](int day) { return !allows(record, day); });
    return days;
}

void MonthBuilder::drawRecord(const MonthRecord& record, const std::vector<int>& days)
{
    if (!record.color || *record.color == NoColor)
        return;
    const std::optional<QColor> color = PaletteQColor(record.color);
    if (!color)
        return; // a colour code outside the palette: nothing to draw it with
    for (const int day : days) {
        DayCell& cell = m_model.cells[static_cast<std::size_t>(cellOf(day))];
        if (record.mark) {
            // Mark -1 (and codes without a glyph) clear the glyph layer.
            const int index = *record.mark + 1;
            cell.markGlyph = index >= 0 && index < static_cast<int>(m_marks.size())
                                 ? m_marks[static_cast<std::size_t>(index)]
                                 : QString();
            cell.markColor = *color;
        } else {
            cell.textColor = *color;
        }
    }
}

void MonthBuilder::flagHolidays(const MonthRecord& record, const std::vector<int>& days)
{
    if (!record.color || *record.color == NoColor || days.size() != 1)
        return;
    const bool nthWeekday = record.week && *record.week >= 1 && *record.week <= 5;
    const bool dated = !record.week || *record.week == -1;
    const bool holiday = (nthWeekday && record.type == HolidayType) ||
                         (dated && (record.type == HolidayType || record.type == EquinoxType));
    if (!holiday)
        return;
    const auto day = static_cast<std::size_t>(days.front());
    m_holiday[day] = true;
    m_holidayColor[day] = record.color;
}

void MonthBuilder::substituteDay(const MonthRecord& record)
{
    const std::optional<QColor> color = PaletteQColor(record.color);
    if (!color)
        return;
    // A holiday on a Sunday moves its rest to the Monday after it. Weekday
    // patterns have no day of their own and never qualify.
    if (record.type == HolidayType && (!record.week || *record.week == -1) && record.day &&
        isSunday(*record.day) && allows(record, *record.day)) {
        colourDay(*record.day + 1, *color);
    }
    if (record.type == EquinoxType && (record.month == 3 || record.month == 9)) {
        const int equinox = GetEquinoxDay(m_year, m_month);
        if (isSunday(equinox) && allows(record, equinox))
            colourDay(equinox + 1, *color);
    }
}

void MonthBuilder::schedulePass(Recordset& records)
{
    namespace f = schedule_fields;
    const QString filter = MonthScheduleFilter(m_year, m_month);
    const MonthFields fields(records);
    const ScheduleBoundsReader bounds(records);
    for (records.FindFirst(filter); !records.NoMatch(); records.FindNext(filter)) {
        MonthRecord record = ReadRecord(records, fields, bounds);
        const std::vector<int> days = targetDays(record);
        drawRecord(record, days);
        flagHolidays(record, days);
        if (IsEquinoxText(record) && record.type != EquinoxType) {
            // Stored as a plain date by older versions: from now on its day is
            // computed for each year.
            records.Edit();
            records.SetValue(f::Type, Value(EquinoxType));
            records.Update();
            record.type = EquinoxType;
        }
        substituteDay(record);
        if (record.type == HolidayType && record.month == m_month && record.day &&
            *record.day >= 1 && *record.day <= 31 &&
            (!isDay(*record.day) || allows(record, *record.day))) {
            const auto day = static_cast<std::size_t>(*record.day);
            if (!m_datedHoliday[day]) {
                m_datedHoliday[day] = true;
                m_datedHolidayColor[day] = record.color;
            }
        }
    }
}

void MonthBuilder::holidayRuns()
{
    // A run of dated holidays that starts on a Sunday moves its rest to the
    // first day after the run (3, 4 and 5 May on Sunday to Tuesday make 6 May
    // a holiday). The colour is that of the run's last holiday.
    for (int day = 1; day <= 31; ++day) {
        if (!isSunday(day))
            continue;
        int j = 0;
        while (j <= 4 && day + j <= 31 && m_datedHoliday[static_cast<std::size_t>(day + j)])
            ++j;
        if (j == 0)
            continue;
        const std::optional<int> code = m_datedHolidayColor[static_cast<std::size_t>(day + j - 1)];
        if (code == 1)
            continue;
        if (const std::optional<QColor> color = PaletteQColor(code))
            colourDay(day + j, *color);
    }
}

void MonthBuilder::sandwichedDays()
{
    // A day between two holidays is a holiday too; it takes the colour of
    // the holiday before it.
    for (int day = 2; day <= 30; ++day) {
        const auto d = static_cast<std::size_t>(day);
        if (m_holiday[d - 1] && m_holiday[d + 1] && !m_holiday[d]) {
            if (const std::optional<QColor> color = PaletteQColor(m_holidayColor[d - 1]))
                colourDay(day, *color);
        }
    }
}

void MonthBuilder::placeCursor(QDate today)
{
    if (today.year() != m_year || today.month() != m_month)
        return;
    m_model.cells[static_cast<std::size_t>(cellOf(today.day()))].cursor = true;
}

} // namespace

int CalcDaysInMonth(QDate date)
{
    switch (date.month()) {
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12:
        return 31;
    case 2: {
        const int year = date.year();
        return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0 ? 29 : 28;
    }
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    default:
        return 0;
    }
}

int CellOfDay(QDate firstDay, int day)
{
    if (day < 1 || day > CalcDaysInMonth(firstDay))
        return 0;
    return day + WeekdayNumber(QDate(firstDay.year(), firstDay.month(), 1)) + 6;
}

std::optional<int> DayInCell(QDate firstDay, int cell)
{
    if (!firstDay.isValid() || cell < FirstWeekCell || cell > LastCell)
        return std::nullopt;
    const int day = cell - WeekdayNumber(QDate(firstDay.year(), firstDay.month(), 1)) - 6;
    if (day < 1 || day > CalcDaysInMonth(firstDay))
        return std::nullopt;
    return day;
}

bool IsValidTitleType(int titleType)
{
    return titleType >= 0 && titleType <= 10;
}

bool TitleHasClock(int titleType)
{
    return titleType >= 6 && titleType <= 10;
}

QString TitleText(int titleType, QDate displayMonth, const QDateTime& now)
{
    const QTime time = now.time();
    switch (titleType) {
    case 1:
        return FormatDate(displayMonth, u"yyyy/MM");
    case 2:
        return FormatDate(displayMonth, u"yyyy/mmmm");
    case 3:
        return FormatDate(displayMonth, u"ggge年M月");
    case 4:
        return FormatDate(displayMonth, u"ge年M月");
    case 5:
        return FormatDate(displayMonth, u"M月");
    case 6:
        return FormatDate(displayMonth, u"yy年M月") + FormatTime(time, u" h:mm");
    case 7:
        return FormatDate(displayMonth, u"M月") + FormatTime(time, u" h:mm");
    case 8:
        return FormatTime(time, u"hh:mm");
    case 9:
        return FormatTime(time, u"AM/PM hh:mm");
    case 10:
        return FormatTime(time, u"AMPM hh:mm");
    default:
        return FormatDate(displayMonth, u"yyyy年M月");
    }
}

MonthModel BuildMonthModel(QDate firstDay, const Settings& settings, Recordset* schedules,
                           const QDateTime& now, const MarkSymbolTable& markSymbols, QString* error)
{
    const QDate first(firstDay.year(), firstDay.month(), 1);
    MonthBuilder builder(first, settings, markSymbols);
    builder.fillGrid();
    builder.writeTitle(now);
    try {
        if (schedules)
            builder.schedulePass(*schedules);
    } catch (const EngineError& failure) {
        if (error)
            *error = failure.message();
    } catch (const std::exception& failure) {
        if (error)
            *error = QString::fromLocal8Bit(failure.what());
    }
    builder.holidayRuns();
    builder.sandwichedDays();
    builder.placeCursor(now.date());
    return builder.take();
}

} // namespace morvane
