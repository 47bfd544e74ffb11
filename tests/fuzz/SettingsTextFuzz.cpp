// Settings as a hand-edited file holds them: each line "Name=text" stores a
// text under a setting's name (an unknown name is taken as the setting at
// that position of the list), then every setting is loaded. Whatever the
// texts, the sizes come out within the offered ranges; the conversions of
// text to numbers and truth values are tried on every line too.

#include "FuzzSupport.h"
#include "core/SettingsStore.h"
#include "core/SettingsTable.h"
#include "core/TextToValue.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <algorithm>

using namespace morvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString path = QDir::temp().filePath(
        QStringLiteral("morvane-fuzz-settings-%1.ini").arg(QCoreApplication::applicationPid()));
    const QStringList lines = fuzz::Text(data, size).split(QLatin1Char('\n'));

    QSettings store(path, QSettings::IniFormat);
    store.clear();
    const auto& keys = SettingKeys();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? QString() : line.left(equals);
        const QString text = equals < 0 ? line : line.mid(equals + 1);

        const double val = Val(text);
        MORVANE_FUZZ_CHECK(val == val); // never NaN
        if (const std::optional<double> number = TextToNumber(text)) {
            RoundToInteger(*number);
            RoundToLong(*number);
        }
        TextToBool(text);

        const bool known = std::any_of(keys.begin(), keys.end(), [&](const SettingKey& key) {
            return name == QLatin1String(key.name);
        });
        store.setValue(known ? name : QLatin1String(keys[size_t(i) % keys.size()].name), text);
    }

    SettingsEnvironment environment;
    const Settings settings = LoadSettings(store, environment);
    for (const qint16 fontSize : {settings.FontSize, settings.DayFontSize, settings.MarkSize})
        MORVANE_FUZZ_CHECK(fontSize >= kSmallestFontSize && fontSize <= kLargestFontSize);
    MORVANE_FUZZ_CHECK(settings.CalendarSize >= kSmallestCalendarSize &&
                       settings.CalendarSize <= kLargestCalendarSize);
    MORVANE_FUZZ_CHECK(!(settings.TopView && settings.BottomView));
    store.clear();
    return 0;
}
