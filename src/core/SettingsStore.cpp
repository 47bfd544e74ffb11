#include "core/SettingsStore.h"

#include "core/ActivityLog.h"
#include "core/AppIdentity.h"
#include "core/SettingsTable.h"
#include "core/TextToValue.h"
#include "core/Version.h"

#include <QVariant>
#include <algorithm>
#include <optional>

namespace morvane {
namespace {

template <class... Ts> struct Overloaded : Ts...
{
    using Ts::operator()...;
};
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

// The stored text of `name`, or nothing when the value is absent.
std::optional<QString> StoredText(const QSettings& store, const char* name)
{
    const QString key = QLatin1String(name);
    if (!store.contains(key))
        return std::nullopt;
    const QVariant value = store.value(key);
    // A hand-edited INI line with bare commas reads back as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

std::optional<qint16> ReadInteger(ReadRule rule, const QString& text)
{
    if (rule == ReadRule::Val)
        return RoundToInteger(Val(text));
    const std::optional<double> number = TextToNumber(text);
    return number ? RoundToInteger(*number) : std::nullopt;
}

std::optional<qint32> ReadLong(ReadRule rule, const QString& text)
{
    if (rule == ReadRule::Val)
        return RoundToLong(Val(text));
    const std::optional<double> number = TextToNumber(text);
    return number ? RoundToLong(*number) : std::nullopt;
}

std::optional<bool> ReadBoolean(ReadRule rule, const QString& text)
{
    if (rule == ReadRule::ExactTrue)
        return text == QLatin1String("True");
    return TextToBool(text);
}

// Sets the member of `key` from `text`; false when the text does not convert.
bool ApplyStoredText(Settings& settings, const SettingKey& key, const QString& text)
{
    return std::visit(Overloaded{
                          [&](bool Settings::*member) {
                              const std::optional<bool> value = ReadBoolean(key.rule, text);
                              if (value)
                                  settings.*member = *value;
                              return value.has_value();
                          },
                          [&](qint16 Settings::*member) {
                              const std::optional<qint16> value = ReadInteger(key.rule, text);
                              if (value)
                                  settings.*member = *value;
                              return value.has_value();
                          },
                          [&](qint32 Settings::*member) {
                              const std::optional<qint32> value = ReadLong(key.rule, text);
                              if (value)
                                  settings.*member = *value;
                              return value.has_value();
                          },
                          [&](QString Settings::*member) {
                              settings.*member = text;
                              return true;
                          },
                      },
                      key.member);
}

QString TextForm(const Settings& settings, const SettingMember& member)
{
    return std::visit(Overloaded{
                          [&](bool Settings::*m) {
                              return settings.*m ? QStringLiteral("True") : QStringLiteral("False");
                          },
                          [&](qint16 Settings::*m) { return QString::number(settings.*m); },
                          [&](qint32 Settings::*m) { return QString::number(settings.*m); },
                          [&](QString Settings::*m) { return settings.*m; },
                      },
                      member);
}

bool Is(const SettingKey& key, const char* name)
{
    return qstrcmp(key.name, name) == 0;
}

// Defaults that depend on the machine or on values read before them. The
// other defaults are the initialisers of Settings, already in place.
void ApplyDerivedDefault(Settings& settings, const SettingKey& key,
                         const SettingsEnvironment& environment)
{
    // The translucency settings have no such default: how the background
    // shows depends on the session, what is stored only on the user.
    if (Is(key, "MarkSize")) {
        settings.MarkSize = static_cast<qint16>(std::min(settings.DayFontSize + 2, 20));
    } else if (Is(key, "DayFontName")) {
        if (environment.screenFonts.contains(QStringLiteral("Comic Sans MS"), Qt::CaseSensitive))
            settings.DayFontName = QStringLiteral("Comic Sans MS");
    }
}

// Sizes outside what the options offer make no usable calendar: a 999-point
// font fills the screen with one digit and makes the font fitting crawl.
void BringIntoOfferedRanges(Settings& settings)
{
    for (qint16* size : {&settings.FontSize, &settings.DayFontSize, &settings.MarkSize})
        *size = std::clamp(*size, kSmallestFontSize, kLargestFontSize);
    settings.CalendarSize =
        std::clamp(settings.CalendarSize, kSmallestCalendarSize, kLargestCalendarSize);
}

} // namespace

std::unique_ptr<QSettings> OpenUserSettingsStore()
{
#ifdef Q_OS_WIN
    const QSettings::Format format = QSettings::NativeFormat;
#else
    const QSettings::Format format = QSettings::IniFormat;
#endif
    auto store =
        std::make_unique<QSettings>(format, QSettings::UserScope, QLatin1String(kOrganizationName),
                                    QLatin1String(kApplicationName));
    // Only the user's own values count: no organisation-wide or system-wide
    // files slipping in defaults nobody can see in the user's store.
    store->setFallbacksEnabled(false);
    return store;
}

Settings LoadSettings(const QSettings& store, const SettingsEnvironment& environment)
{
    Settings settings;
    for (const SettingKey& key : SettingKeys()) {
        // Always on top and always at the bottom exclude each other; on top wins.
        if (Is(key, "BottomView") && settings.TopView) {
            settings.BottomView = false;
            continue;
        }
        const std::optional<QString> text = StoredText(store, key.name);
        if (!text || !ApplyStoredText(settings, key, *text))
            ApplyDerivedDefault(settings, key, environment);
    }
    BringIntoOfferedRanges(settings);
    // Whatever version last saved, this one is running now.
    settings.Version = RunningVersion();
    return settings;
}

void SaveSettings(QSettings& store, const Settings& settings, const QString& programFolder,
                  const Clock& clock)
{
    for (const SettingKey& key : SettingKeysInWriteOrder())
        WriteRegString(store, QLatin1String(key.name), TextForm(settings, key.member));
    store.sync();
    if (settings.EndLog)
        AppendLogLine(programFolder, kLogEndEvent, clock);
}

bool WriteRegString(QSettings& store, const QString& valueName, const QString& text)
{
    // Text only: a typed value would be stored in a form no other run reads.
    store.setValue(valueName, text);
    return store.isWritable() && store.status() == QSettings::NoError;
}

} // namespace morvane
