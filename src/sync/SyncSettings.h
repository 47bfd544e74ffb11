#pragma once

#include <QString>

class QSettings;

namespace morvane {

// Names under which the sync options are kept in the settings file. The
// password is never among them: it lives in the desktop's secret store.
inline constexpr char kSyncServerSetting[] = "SyncServer";
inline constexpr char kSyncUserSetting[] = "SyncUser";
// The calendar collection picked from the server's calendars; empty: the
// first calendar found from the server address.
inline constexpr char kSyncCalendarSetting[] = "SyncCalendar";
inline constexpr char kSyncEnabledSetting[] = "SyncEnabled";
inline constexpr char kSyncIntervalSetting[] = "SyncInterval";
// The SHA-256 fingerprint of a certificate the user confirmed for the server.
inline constexpr char kSyncTrustedFingerprintSetting[] = "SyncTrustedFingerprint";

inline constexpr int kDefaultSyncIntervalMinutes = 30;
inline constexpr int kShortestSyncIntervalMinutes = 1;
inline constexpr int kLongestSyncIntervalMinutes = 1440;

struct SyncSettings
{
    QString server;
    QString user;
    QString calendar;
    bool enabled = false;
    int intervalMinutes = kDefaultSyncIntervalMinutes;
    QString trustedFingerprint;
};

// An interval outside the offered range (an edited file) is brought to the
// nearest end.
SyncSettings ReadSyncSettings(const QSettings& store);
// Writes every option; another server than the stored one forgets the
// confirmed fingerprint unless a new one is given.
void WriteSyncSettings(QSettings& store, const SyncSettings& settings);

} // namespace morvane
