#pragma once

#include "data/records/UserMessage.h"

#include <QString>

namespace morvane {

class Recordset;

struct LegacyImportResult
{
    bool readable = false; // false: the file could not be read, nothing added
    int imported = 0;      // records appended
    int skipped = 0;       // fifth-week entries left out
};

// Appends one Schedule record per entry of the Cal.ini file at path (code
// page 932). Each fifth-week weekday entry is announced through sink and
// left out. A message longer than the Message field is cut at its capacity.
LegacyImportResult ImportLegacyFile(const QString& path, Recordset& schedules,
                                    const MessageSink& sink);

} // namespace morvane
