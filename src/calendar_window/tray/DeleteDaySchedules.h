#pragma once

#include <QDate>

class QWidget;

namespace morvane {

class Recordset;

// Deletes the schedules of date one by one, asking before each ("予定の
// 削除"). A schedule of this one day is asked about with はい/いいえ, No as the
// default answer; one that falls on other days too (OneOffDate names no day
// for it) with "この日だけ" (Yes: date becomes one of its skipped days),
// "すべて" (No: the record is deleted) and キャンセル (left as it is, the
// default answer). The search is the short day filter: the rule of the day
// alone, without the computed equinox days, held to each record's bounds.
// Returns how many schedules no longer fall on date.
int DeleteDaySchedules(Recordset& schedules, QDate date, QWidget* parent = nullptr);

} // namespace morvane
