#pragma once

#include <QStringList>
#include <optional>

class QTextStream;

namespace morvane {

class Clock;

// Whether the command line asks for an iCalendar export or import, which
// runs without any window (and without a display).
bool IsIcsCommand(int argc, char** argv);

// --export-ics FILE, or --import-ics FILE [--ics-expand FROM-TO], on the
// data file of programFolder: the outcome goes to out, a failure to err.
// Returns the exit code (0 done, 1 failed, 2 wrong arguments).
int RunIcsCommand(const QStringList& arguments, const QString& programFolder, const Clock& clock,
                  QTextStream& out, QTextStream& err);

} // namespace morvane
