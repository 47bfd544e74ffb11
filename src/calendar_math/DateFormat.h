#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringView>
#include <QTime>

// The one formatter for every date, time and number pattern the program
// shows or stores. Patterns follow the classic Japanese date-format language,
// so a pattern text reads the same here as on screen:
//
//   yyyy    four-digit year                      yy   two-digit year (00-99)
//   y       day of the year (1-366)
//   M m     month 1-12        MM mm  01-12       MMM mmm MMMM mmmm  "5月"
//           m/mm (either case) means MINUTES when the previous date/time
//           token was an hour (h:mm, hh:mm) or the next one is seconds
//   d D     day 1-31          dd DD  01-31
//   ddd aaa short weekday name "金"   dddd aaaa  long name "金曜日"
//   w       weekday number, 1 = Sunday ... 7 = Saturday
//   ggg     era name "令和"   gg  its first kanji "令"   g  initial "R"
//   e       era year, 1 for the first year (令和1年, never 元年)   ee  01-99
//   h H     hour 0-23        hh HH  00-23  (12-hour, 1-12 / 01-12, when the
//                                           pattern holds a designator)
//   n N     minutes 0-59     nn NN  00-59
//   s S     seconds 0-59     ss SS  00-59
//   AM/PM  "AM"/"PM"   am/pm  "am"/"pm"   A/P a/p  "A"/"P"/"a"/"p"
//   AMPM   午前 / 午後 (the Japanese morning/afternoon designator)
//   "..."   quoted text is copied as it is;  \x  copies x
//   anything else (年, 月, /, :, (, ), blanks ...) is copied as it is.
//
// Letters are case-insensitive except in the designators. Era names and their
// first days: 明治 M 1868-09-08, 大正 T 1912-07-30, 昭和 S 1926-12-25,
// 平成 H 1989-01-08, 令和 R 2019-05-01. A date before 1868-09-08 has no era:
// g/gg/ggg give "" and e gives the Western year.
//
// Examples (Friday 2024-05-03 13:05:07):
//   "yyyy年M月" 2024年5月        "yyyy/MM" 2024/05     "yyyy/mmmm" 2024/5月
//   "ggge年M月" 令和6年5月        "ge年M月" R6年5月     "yy年M月" 24年5月
//   " h:mm" " 13:05"   "AM/PM hh:mm" PM 01:05   "AMPM hh:mm" 午後 01:05
//   "yyyy/m/d(aaa)" 2024/5/3(金)   "yyyy年M月d日(ddd)" 2024年5月3日(金)
//   "ggge/M/D" 令和6/5/3   "yyyy/mm/dd hh:nn.ss" 2024/05/03 13:05.07

namespace morvane {

// "" for an invalid date or time.
QString FormatDateTime(QDate date, QTime time, QStringView pattern);
QString FormatDateTime(const QDateTime& moment, QStringView pattern);

// Time fields read as midnight.
QString FormatDate(QDate date, QStringView pattern);

// Date fields read as 1899-12-30, the date part of a bare time value.
QString FormatTime(QTime time, QStringView pattern);

// Number patterns: '0' is a digit that is always shown, '#' a digit shown
// only when significant, a ',' between digit places groups thousands by
// three, any other character is copied. Extra leading digits are never cut.
// A negative number gets "-" in front of the whole text.
//   FormatNumber(1234, "##,###日経過") "1,234日経過"   (0 gives "日経過")
//   FormatNumber(12, "K0000") "K0012"    FormatNumber(5, "00") "05"
QString FormatNumber(qint64 value, QStringView pattern);

struct JapaneseEra
{
    QString name;    // 令和
    QString initial; // R
    QDate firstDay;  // 2019-05-01
};

// The era date lies in; a null era (empty name) before 1868-09-08.
JapaneseEra EraOf(QDate date);

// The era's year of date (1 in the first year); the Western year before 1868-09-08.
int EraYear(QDate date);

} // namespace morvane
