#pragma once

#include "core/Clock.h"
#include "core/Settings.h"

#include <QSettings>
#include <QString>
#include <QStringList>
#include <memory>

namespace morvane {

// Facts about the machine that decide some first-run defaults.
struct SettingsEnvironment
{
    // Names of the installed screen fonts, in the font system's order.
    QStringList screenFonts;
};

// The user's settings store: the registry key
// HKEY_CURRENT_USER\Software\Quillstone\Morvane on Windows, an INI file in the
// user's configuration folder elsewhere (~/.config/Quillstone/Morvane.ini).
std::unique_ptr<QSettings> OpenUserSettingsStore();

// Reads every setting from `store`. A value that is absent, or whose text
// does not convert, takes its default; nothing here fails. Font, mark and
// calendar sizes outside the offered ranges are brought to the nearest end.
Settings LoadSettings(const QSettings& store, const SettingsEnvironment& environment);

// Writes every setting to `store` as text ("True"/"False", decimal numbers,
// strings as they are), then, when EndLog is on, appends the exit line to the
// activity log in `programFolder`. Write failures are passed over: the next
// start reads whatever was stored.
void SaveSettings(QSettings& store, const Settings& settings, const QString& programFolder,
                  const Clock& clock);

// Stores `text` under `valueName`. Returns whether the store accepted it.
bool WriteRegString(QSettings& store, const QString& valueName, const QString& text);

} // namespace morvane
