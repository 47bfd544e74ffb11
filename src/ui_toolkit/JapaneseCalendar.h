#pragma once

class QCalendarWidget;

namespace morvane {

// A month calendar as Japanese calendars show one: the year before the
// month in its heading ("2026年12月"), Saturdays in blue and Sundays in
// red, as the program's calendar colours them.
void StyleJapaneseCalendar(QCalendarWidget* calendar);

} // namespace morvane
