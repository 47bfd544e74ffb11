#pragma once

#include <QDate>
#include <QString>

// Small pure functions on the Gregorian calendar shared by the whole program.
// Weekdays are numbered 1 = Sunday, 2 = Monday, ... 7 = Saturday everywhere.
// None of them reads the clock: whoever needs "today" passes Clock::today().

namespace morvane {

// Weekday number of date, 1 = Sunday ... 7 = Saturday; 0 for an invalid date.
int WeekdayNumber(QDate date);

// One-kanji weekday name: 1 "日", 2 "月", ... 7 "土"; "" outside 1 to 7.
QString GetWeekName(int weekday);

// GetWeekName(WeekdayNumber(date)); "" for an invalid date.
QString GetWeekNameOfDate(QDate date);

// Day of the month on which the n-th weekday (1 = Sunday ... 7 = Saturday)
// of year/month falls, or 0 when there is no such day: an invalid year or
// month (years 1 to 9999 are valid), a weekday outside 1 to 7, or an n whose
// day lies outside the month (n = 5 in a month with four of that weekday).
int GetNthWeekday(int year, int month, int n, int weekday);

// Int((day of month - 1) / 7) + 1, from 1 to 5: the n for which date is the
// n-th occurrence of its weekday in its month. 0 for an invalid date.
int GetWeekOfMonth(QDate date);

// Day of the vernal (month 3) or autumnal (month 9) equinox of year by the
// published approximation, floor(base + 0.242194 * (year - 1980) - leap
// days), with the constants of 1900-1979, 1980-2099 and 2100-2150 (years
// outside take the nearest period's); 0 for any other month. No table.
int GetEquinoxDay(int year, int month);

// Whole years from fromDate to toDate (ages, anniversaries). On the
// anniversary itself the new year already counts; someone born on 29
// February counts the next year from 1 March in other years. The caller
// passes the reference date explicitly (Clock::today() for "now"); there is
// no "empty date means today". 0 when either date is invalid.
int GetElapsedYears(QDate fromDate, QDate toDate);

} // namespace morvane
