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
// page 932). Fifth-week weekday entries are left out and announced through
// sink in one warning, after the other entries were appended. A message longer than the Message
// field is cut at its capacity.
LegacyImportResult ImportLegacyFile(const QString& path, Recordset& schedules,
                                    const MessageSink& sink);

} // namespace morvane
