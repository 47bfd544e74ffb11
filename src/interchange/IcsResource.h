#pragma once

#include "interchange/ScheduleEntry.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace morvane {

// One schedule as a calendar resource of its own, as calendar servers keep
// them: a calendar holding the schedule's one event under uid, written by
// the file export's mapping. Empty when the schedule cannot be one event
// (the computed equinox holiday is a date per year; a broken rule).
QByteArray BuildEventResource(const ScheduleEntry& entry, const QString& uid,
                              const QDateTime& stamp);

// The UID of the first event in a calendar resource; empty when there is
// none or the text is not a calendar.
QString EventResourceUid(const QByteArray& resource);

} // namespace morvane
