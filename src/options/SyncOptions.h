#pragma once

#include "sync/CalendarDiscovery.h"
#include "sync/SecretStore.h"
#include "sync/SyncSettings.h"

#include <QString>
#include <functional>

class QSettings;

namespace morvane {

struct SyncStatus;

// The desktop's secret store as the sync page uses it; tests put a stand-in
// in its place.
struct SyncSecrets
{
    std::function<SecretResult(const QString& server, const QString& user)> read = ReadSyncPassword;
    std::function<QString(const QString& server, const QString& user, const QString& password)>
        write = WriteSyncPassword;
};

// What the status line says: the last sync's line, that one is running,
// or that none has run yet.
QString SyncStatusText(const SyncStatus& status);

// Whether the stored options let a sync run: on, with a server and a user.
bool SyncIsSetUp(const SyncSettings& stored);

// Why the page's options cannot be stored (a sync turned on without a
// server or user, an address the sync refuses), or empty.
QString SyncSettingsProblem(const SyncSettings& settings);

// A calendar search and the certificate it could not verify, if one.
struct CalendarSearchOutcome
{
    CalendarSearch search;
    QString untrustedFingerprint;
};

// The user's calendars found from the address the user typed, through a
// transport of this thread with the given password and confirmed
// certificate. Blocks until the server answered: run it off the window's
// thread.
CalendarSearchOutcome SearchCalendars(const QString& server, const QString& user,
                                      const QString& password, const QString& trustedFingerprint);

// The name a found calendar is listed under: its display name, else the
// last part of its address.
QString CalendarCaption(const FoundCalendar& calendar);

struct SyncApplyResult
{
    bool stored = false;         // the options were written
    bool passwordForRun = false; // the password could not be stored and is kept for this run
    QString message;             // what the user should know, empty when all went well
};

// Writes the options to the settings store and a newly typed password
// (non-empty) to the secret store only. When the secret store does not
// answer, the password goes to *runPassword and the message says so;
// a stored password clears *runPassword.
SyncApplyResult ApplySyncOptions(const SyncSettings& settings, const QString& typedPassword,
                                 QSettings& store, const SyncSecrets& secrets,
                                 QString* runPassword);

} // namespace morvane
