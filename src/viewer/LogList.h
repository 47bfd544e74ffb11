#pragma once

#include "viewer/ListModel.h"

#include <QString>
#include <vector>

namespace morvane {

// One line of Morva.log: its date-and-time field and its event field.
struct LogEntry
{
    QString when;
    QString event;
    bool operator==(const LogEntry&) const = default;
};

struct LogReadResult
{
    bool read = false; // false: the file could not be opened or read
    std::vector<LogEntry> entries;
};

// The first two fields of each line, read the way the log is written: a
// field in double quotes is taken as it stands up to its closing quote, a
// bare field up to the next comma without the blanks around it, a missing
// field is empty. Blank lines hold no entry. Any text gives entries;
// nothing in it ends the reading early.
std::vector<LogEntry> ParseLogText(const QString& text);

// The log file at path (code page 932). A file that cannot be opened or
// read gives no entries at all.
LogReadResult ReadLogFile(const QString& path);

// More rows than this are still listed, with a warning.
inline constexpr int LogRowLimit = 1000;

// The warning over LogRowLimit rows; logPath is shown as the user knows it.
QString LogTooManyRowsText(int rows, const QString& logPath);

// The two columns 日時 and イベント, and the rows.
ListModel BuildLogList(const std::vector<LogEntry>& entries);

} // namespace morvane
