#include "sync/SyncSettings.h"

#include <QSettings>
#include <algorithm>

namespace morvane {

SyncSettings ReadSyncSettings(const QSettings& store)
{
    SyncSettings settings;
    settings.server = store.value(QLatin1String(kSyncServerSetting)).toString();
    settings.user = store.value(QLatin1String(kSyncUserSetting)).toString();
    settings.calendar = store.value(QLatin1String(kSyncCalendarSetting)).toString();
    settings.enabled = store.value(QLatin1String(kSyncEnabledSetting), false).toBool();
    bool isNumber = false;
    const int interval = store.value(QLatin1String(kSyncIntervalSetting)).toInt(&isNumber);
    if (isNumber)
        settings.intervalMinutes =
            std::clamp(interval, kShortestSyncIntervalMinutes, kLongestSyncIntervalMinutes);
    settings.trustedFingerprint =
        store.value(QLatin1String(kSyncTrustedFingerprintSetting)).toString();
    return settings;
}

void WriteSyncSettings(QSettings& store, const SyncSettings& settings)
{
    const QString previousServer = store.value(QLatin1String(kSyncServerSetting)).toString();
    store.setValue(QLatin1String(kSyncServerSetting), settings.server);
    store.setValue(QLatin1String(kSyncUserSetting), settings.user);
    store.setValue(QLatin1String(kSyncCalendarSetting), settings.calendar);
    store.setValue(QLatin1String(kSyncEnabledSetting), settings.enabled);
    store.setValue(QLatin1String(kSyncIntervalSetting), settings.intervalMinutes);
    const QString fingerprintKey = QLatin1String(kSyncTrustedFingerprintSetting);
    if (!settings.trustedFingerprint.isEmpty())
        store.setValue(fingerprintKey, settings.trustedFingerprint);
    else if (previousServer != settings.server)
        store.remove(fingerprintKey);
    store.sync();
}

} // namespace morvane
