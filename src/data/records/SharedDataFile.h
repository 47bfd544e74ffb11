#pragma once

#include <QString>
#include <memory>

namespace morvane {

class Database;
class ScheduleDatabase;

// The data file used by two connections of this program at once: the
// windows' connection on the main thread, and the background sync's on its
// worker. The windows' connection otherwise keeps the file locked for
// itself (no other program reads the schedules while it runs); while a sync
// runs it shares the file, and each connection's statements wait for the
// other's commit instead of failing.

// The windows' connection lets another connection of the program in
// (shared) or takes the file back for itself. EngineError when the file
// refuses.
void ShareDataFile(Database& database, bool shared);

// A second connection to the data file at path, which the windows'
// connection shares. Opens the file as it is: no field is added, no alarm
// flag cleared, nothing created. EngineError (FileNotFound, FileInUse,
// TableNotFound ...) when it cannot.
std::unique_ptr<ScheduleDatabase> OpenScheduleDatabaseBeside(const QString& path);

// Reads the rows of the open tables again from the file, after the other
// connection changed it. The recordsets lose their current record; record
// ids are those of the file, so a list that kept an id finds its record
// again, or learns that it is gone.
void ReloadScheduleRows(Database& database);

} // namespace morvane
