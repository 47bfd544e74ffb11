#pragma once

#include <QStringList>

class QSettings;
class QTextStream;

namespace morvane {

class Clock;

// Whether the command line asks for one sync with the calendar server,
// which runs without any window (and without a display).
bool IsSyncCommand(int argc, char** argv);

// --sync [--server URL] [--user NAME] [--password-file FILE]
// [--trust-fingerprint AA:BB:...]: one sync of the data file of
// programFolder. A server, user and confirmed certificate fingerprint given
// are stored in settings for the next runs (another server forgets the
// fingerprint); the password file is read, never stored. Without a password
// file the password is taken from the desktop's secret store.
// --server takes a calendar collection or a server address to find the
// first calendar from; the calendar picked in the options (SyncCalendar) is
// used while the server is the stored one. Counts go to out, a failure to err. Returns the exit
// code (0 done, 1 failed, 2 wrong arguments).
int RunSyncCommand(const QStringList& arguments, const QString& programFolder, QSettings& settings,
                   const Clock& clock, QTextStream& out, QTextStream& err);

} // namespace morvane
