#pragma once

#include <QDate>

class QWidget;

namespace morvane {

class Recordset;

// Deletes the schedules of date one by one, asking before each ("予定の
// 削除", No as the default answer). The search is the short day filter: the
// rule of the day alone, without the computed equinox days. Returns how many
// records were deleted.
int DeleteDaySchedules(Recordset& schedules, QDate date, QWidget* parent = nullptr);

} // namespace morvane
