#include "viewer/MonthList.h"

#include "calendar_math/Rokuyou.h"
#include "calendar_math/WeekFunctions.h"
#include "data/records/ScheduleCodes.h"
#include "ui_toolkit/CalendarImages.h"
#include "viewer/RowKey.h"
#include "viewer/ViewerTree.h"

#include <array>
#include <bit>
#include <cstdint>
#include <span>

namespace morvane {

namespace {

enum Cell : std::size_t
{
    DayCell = 0,
    WeekdayCell = 1,
    RokuyouCell = 2,
    ScheduleCell = 3,
    AlarmCell = 4,
    CellCount = 5,
};

constexpr int Sunday = 1;
constexpr int Saturday = 7;
const int kHoliday = int(ScheduleKind::Holiday);
const int kEquinox = int(ScheduleKind::EquinoxHoliday);

QColor Palette(int index)
{
    return QColor::fromRgb(QBColor(index)->argb());
}

// Day d of the month counted from its first day, so that day 0 and the day
// after the last fall into the neighbouring months instead of failing.
bool IsSunday(int year, int month, int day)
{
    const QDate date = QDate(year, month, 1).addDays(day - 1);
    return WeekdayNumber(date) == Sunday;
}

bool CanFallOnMonth(const SchedulePattern& p, int year, int month)
{
    return ((p.year == year || p.year == 0) && (p.month == month || p.month == 0)) ||
           (p.type == kEquinox && p.month == month);
}

// The day rule of the viewer: the record's year and month (or every year,
// every month), then its day or its weekday in every or the n-th week; an
// equinox holiday of the month always passes here and is narrowed to its
// computed day afterwards.
bool FallsOn(const SchedulePattern& p, int year, int month, int day, int weekday, int week)
{
    const bool byRule =
        (p.year == year || p.year == 0) && (p.month == month || p.month == 0) &&
        (p.day == day || (p.dayOfTheWeek == weekday && (p.week == 0 || p.week == week)));
    return byRule || (p.type == kEquinox && p.month == month);
}

// The records of each day of the month, in recordset order. Each record's
// rule is looked at once for the month: the days it can name (its day
// number, the days of its weekday, an equinox holiday's computed day) are
// gathered first, and FallsOn and the record's bounds have the last word
// on each of them.
class MonthDays
{
public:
    MonthDays(const std::vector<ViewerRecord>& records, int year, int month)
    {
        const QDate first(year, month, 1);
        const int days = first.daysInMonth();
        const int equinoxDay = GetEquinoxDay(year, month);
        const int firstWeekday = WeekdayNumber(first);
        std::array<int, 32> weekday{};
        std::array<int, 32> week{};
        std::array<QDate, 32> date{};
        for (int d = 1; d <= days; ++d) {
            date[std::size_t(d)] = QDate(year, month, d);
            weekday[std::size_t(d)] = (firstWeekday - 1 + d - 1) % 7 + 1;
            week[std::size_t(d)] = GetWeekOfMonth(date[std::size_t(d)]);
        }

        // Pass one: the days of each record as a set of bits; pass two lays
        // the records out day by day (a counting sort keeps their order).
        std::vector<std::uint32_t> dayBits(records.size(), 0);
        std::array<std::size_t, 33> start{};
        for (std::size_t i = 0; i < records.size(); ++i) {
            const ViewerRecord& record = records[i];
            const SchedulePattern& p = record.pattern;
            std::uint32_t named = 0;
            if (p.type == kEquinox) {
                // It shows on its computed day only.
                if (equinoxDay >= 1 && equinoxDay <= days)
                    named = 1u << equinoxDay;
            } else {
                if (p.day && *p.day >= 1 && *p.day <= days)
                    named |= 1u << *p.day;
                if (p.dayOfTheWeek && *p.dayOfTheWeek >= 1 && *p.dayOfTheWeek <= 7) {
                    const int offset = (*p.dayOfTheWeek - firstWeekday + 7) % 7;
                    for (int d = 1 + offset; d <= days; d += 7)
                        named |= 1u << d;
                }
            }
            std::uint32_t held = 0;
            for (std::uint32_t rest = named; rest != 0; rest &= rest - 1) {
                const int d = std::countr_zero(rest);
                const auto at = std::size_t(d);
                if (FallsOn(p, year, month, d, weekday[at], week[at]) &&
                    record.bounds.Allows(date[at])) {
                    held |= 1u << d;
                    ++start[at + 1];
                }
            }
            dayBits[i] = held;
        }
        for (std::size_t d = 1; d < start.size(); ++d)
            start[d] += start[d - 1];
        m_start = start;
        m_records.resize(start.back());
        for (std::size_t i = 0; i < records.size(); ++i) {
            for (std::uint32_t rest = dayBits[i]; rest != 0; rest &= rest - 1)
                m_records[start[std::size_t(std::countr_zero(rest))]++] = i;
        }
    }

    // The records that fall on day d, in recordset order.
    std::span<const std::size_t> recordsOn(int day) const
    {
        const auto d = std::size_t(day);
        return std::span<const std::size_t>(m_records).subspan(m_start[d],
                                                               m_start[d + 1] - m_start[d]);
    }
    std::size_t total() const { return m_records.size(); }

private:
    std::array<std::size_t, 33> m_start{}; // first entry of day d in m_records
    std::vector<std::size_t> m_records;
};

ListRow DayRow(int year, int month, int day, int weekday, const MonthListLook& look)
{
    ListRow row;
    row.cells.resize(CellCount);
    row.cells[DayCell].text = QString::number(day);
    row.cells[RokuyouCell].text = GetRokuyou(QDate(year, month, day));
    row.day = day;
    SetWeekdayCell(row, weekday, look);
    return row;
}

void Colour(ListRow& row, std::initializer_list<std::size_t> cells, const QColor& color)
{
    for (std::size_t cell : cells)
        row.cells[cell].color = color;
}

// Fills the schedule cells of a record's row; true when the record is of a
// kind the list knows (only those rows take text and colours).
bool FillScheduleCells(ListRow& row, const ViewerRecord& record)
{
    const std::optional<int> type = record.pattern.type;
    if (!type || TypeIconKey(*type).isEmpty())
        return false;
    row.cells[ScheduleCell].text = record.message;
    row.reportIconKey = TypeIconKey(*type);
    return true;
}

void ApplyRecordColour(ListRow& row, const ViewerRecord& record)
{
    if (!record.color)
        return;
    const int code = *record.color;
    if (code == 14) {
        row.cells[ScheduleCell].color = Palette(6);
        return;
    }
    if (code == 15) {
        row.cells[ScheduleCell].color = QColor(Qt::black);
        return;
    }
    if (!QBColor(code))
        return; // a code outside the palette keeps the default colours
    const QColor color = Palette(code);
    if (record.pattern.type == kHoliday || record.pattern.type == kEquinox) {
        Colour(row, {DayCell, RokuyouCell}, color);
        // The whole row takes the holiday's colour; a Saturday or Sunday
        // letter keeps its own.
        if (!row.cells[WeekdayCell].color && !row.cells[WeekdayCell].text.isEmpty())
            row.cells[WeekdayCell].color = color;
    }
    row.cells[ScheduleCell].color = color;
}

} // namespace

std::vector<ListColumn> MonthListColumns()
{
    return {
        {QStringLiteral("日"), 550, {}},       {QStringLiteral("曜"), 400, {}},
        {QStringLiteral("六曜"), 600, {}},     {QStringLiteral("予定内容"), StretchWidth, {}},
        {QString(), 650, ImageKey::AlarmItem},
    };
}

int MonthScheduleColumnWidth(int listWidth)
{
    return listWidth > 3550 ? listWidth - 2550 : 1000;
}

void SetWeekdayCell(ListRow& row, int weekday, const MonthListLook& look)
{
    if (row.cells.size() < 2)
        row.cells.resize(2);
    row.cells[WeekdayCell].text = GetWeekName(weekday);
    const QColor* color = weekday == Sunday     ? &look.sunday
                          : weekday == Saturday ? &look.saturday
                                                : nullptr;
    if (!color)
        return;
    row.cells[DayCell].color = *color;
    row.cells[WeekdayCell].color = *color;
    if (row.cells.size() > 2)
        row.cells[RokuyouCell].color = *color;
}

MonthListInput ReadMonthListInput(Recordset& schedules, int year, int month, int typeFilter)
{
    MonthListInput input;
    input.fixedHoliday.assign(34, false);
    const ScheduleBoundsReader bounds(schedules);
    // One pass: the look-back asks for the fixed-date holidays of the month
    // of this year, the list for the records of this year and month.
    input.candidates = ReadViewerRecords(schedules, [&](const SchedulePattern& p) {
        // Only holidays of this year (or of every year) count: a one-off
        // holiday of another year must not make a substitute day here, nor
        // one whose bounds leave out its day of this year.
        if (p.type == kHoliday && p.month == month && (p.year == year || p.year == 0) && p.day &&
            *p.day >= 0 && *p.day <= 33 &&
            bounds.allows(schedules, QDate(year, month, 1).addDays(*p.day - 1)))
            input.fixedHoliday[std::size_t(*p.day)] = true;
        return CanFallOnMonth(p, year, month) && PassesTypeFilter(p.type, typeFilter);
    });
    return input;
}

ListModel BuildMonthList(const MonthListInput& input, int year, int month, QDate today,
                         const MonthListLook& look)
{
    ListModel model;
    const QString title = QString::number(year) + QStringLiteral("年") + QString::number(month) +
                          QStringLiteral("月間予定");
    model.caption = QStringLiteral("Morvane [Viewer] - ") + title;
    model.statusTitle = title;
    model.columns = MonthListColumns();

    const QDate first(year, month, 1);
    const int days = first.daysInMonth();
    const auto fixedHoliday = [&](int day) {
        return day >= 0 && day < int(input.fixedHoliday.size()) &&
               input.fixedHoliday[std::size_t(day)];
    };
    std::vector<bool> holiday(std::size_t(days) + 2, false);
    std::vector<std::size_t> dayRow(std::size_t(days) + 1, 0); // row carrying the day's number
    bool substitutePending = false;
    int count = 0;
    int weekday = WeekdayNumber(first);
    const MonthDays monthDays(input.candidates, year, month);
    model.rows.reserve(std::size_t(days) * 2 + monthDays.total());

    for (int d = 1; d <= days; ++d) {
        bool firstRow = true;
        if (substitutePending) {
            ListRow row = DayRow(year, month, d, weekday, look);
            row.cells[ScheduleCell].text = QStringLiteral("振替休日");
            Colour(row, {DayCell, WeekdayCell, RokuyouCell, ScheduleCell}, Palette(12));
            dayRow[std::size_t(d)] = model.rows.size();
            model.rows.push_back(std::move(row));
            substitutePending = false;
            firstRow = false;
        }

        for (std::size_t index : monthDays.recordsOn(d)) {
            const ViewerRecord& record = input.candidates[index];
            const SchedulePattern& p = record.pattern;
            ListRow row;
            if (firstRow) {
                row = DayRow(year, month, d, weekday, look);
                dayRow[std::size_t(d)] = model.rows.size();
                firstRow = false;
            } else {
                row.cells.resize(CellCount);
                row.day = d;
            }
            row.key = MakeRowKey(record.position, count);
            row.recordId = record.id;
            if (FillScheduleCells(row, record)) {
                if (p.type == kHoliday || p.type == kEquinox) {
                    holiday[std::size_t(d)] = true;
                    // The day it shows on: a fixed-date holiday's own date,
                    // an equinox holiday's computed day.
                    if (IsSunday(year, month, d))
                        substitutePending = true;
                }
                ApplyRecordColour(row, record);
            }
            if (!record.alarm.trimmed().isEmpty())
                row.cells[AlarmCell].text = record.alarm;
            model.rows.push_back(std::move(row));
            ++count;
        }

        if (firstRow) {
            dayRow[std::size_t(d)] = model.rows.size();
            model.rows.push_back(DayRow(year, month, d, weekday, look));
        }

        // A run of fixed-date holidays ending today that holds a Sunday
        // makes the day after the run a substitute holiday.
        const int reach = d < 4 ? d : 4;
        int i = 0;
        for (; i <= reach; ++i) {
            if (!fixedHoliday(d - i) || IsSunday(year, month, d - i + 1))
                break;
        }
        if (i > 0 && IsSunday(year, month, d - i + 1))
            substitutePending = true;
        // When tomorrow is a holiday itself, its own look-back carries the
        // substitute further.
        if (fixedHoliday(d + 1))
            substitutePending = false;

        weekday = weekday == 7 ? 1 : weekday + 1;
    }

    for (int d = 2; d <= days - 1; ++d) {
        if (holiday[std::size_t(d - 1)] && holiday[std::size_t(d + 1)] && !holiday[std::size_t(d)])
            Colour(model.rows[dayRow[std::size_t(d)]],
                   {DayCell, WeekdayCell, RokuyouCell, ScheduleCell}, Palette(12));
    }

    if (today.year() == year && today.month() == month) {
        for (ListRow& row : model.rows) {
            if (row.day != today.day())
                continue;
            for (ListCell& cell : row.cells)
                cell.bold = true;
        }
    }

    model.count = count;
    model.statusCount = CountText(count);
    return model;
}

ListModel ShowMonthList(Recordset& schedules, int year, int month, int typeFilter, QDate today,
                        const MonthListLook& look)
{
    return BuildMonthList(ReadMonthListInput(schedules, year, month, typeFilter), year, month,
                          today, look);
}

} // namespace morvane
