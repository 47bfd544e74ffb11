#include "core/AppIdentity.h"
#include "core/LoginStart.h"

#include <QDir>
#include <QSettings>

namespace morvane {

namespace {

// The per-user Run key: Windows starts every command named there at login.
class RunKeyLoginStart : public LoginStart
{
public:
    explicit RunKeyLoginStart(QString programPath) : m_programPath(std::move(programPath)) {}

    bool isEnabled() const override { return !runKey().value(valueName()).toString().isEmpty(); }

    bool setEnabled(bool enabled, QString* error) override
    {
        QSettings key = runKey();
        if (enabled)
            key.setValue(valueName(), u'"' + QDir::toNativeSeparators(m_programPath) + u'"');
        else
            key.remove(valueName());
        key.sync();
        if (key.status() == QSettings::NoError)
            return true;
        if (error)
            *error = QStringLiteral("スタートアップの登録を変更できません。");
        return false;
    }

private:
    static QSettings runKey()
    {
        return QSettings(
            QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"),
            QSettings::NativeFormat);
    }
    static QString valueName() { return QLatin1String(kApplicationName); }

    QString m_programPath;
};

} // namespace

std::unique_ptr<LoginStart> SystemLoginStart(const QString& programPath)
{
    return std::make_unique<RunKeyLoginStart>(programPath);
}

} // namespace morvane
