#include "core/XdgAutostart.h"

#include "core/AppIdentity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace morvane {

namespace {

// The value of key in the [Desktop Entry] group, or an empty text.
QString EntryValue(const QByteArray& text, const QByteArray& key)
{
    bool inEntry = false;
    for (QByteArray line : text.split('\n')) {
        line = line.trimmed();
        if (line.startsWith('[')) {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (inEntry && equals > 0 && line.left(equals).trimmed() == key)
            return QString::fromUtf8(line.mid(equals + 1).trimmed());
    }
    return {};
}

} // namespace

XdgAutostart::XdgAutostart(QString configFolder, QString programPath)
    : m_configFolder(std::move(configFolder)), m_programPath(std::move(programPath))
{}

QString XdgAutostart::entryPath() const
{
    return QDir(m_configFolder)
        .filePath(QStringLiteral("autostart/%1.desktop").arg(QLatin1String(kApplicationId)));
}

bool XdgAutostart::isEnabled() const
{
    QFile file(entryPath());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = file.read(64 * 1024);
    return EntryValue(text, "Hidden").compare(QLatin1String("true"), Qt::CaseInsensitive) != 0 &&
           EntryValue(text, "X-GNOME-Autostart-enabled")
                   .compare(QLatin1String("false"), Qt::CaseInsensitive) != 0;
}

bool XdgAutostart::setEnabled(bool enabled, QString* error)
{
    const QString path = entryPath();
    if (!enabled) {
        if (!QFileInfo::exists(path) || QFile::remove(path))
            return true;
        if (error)
            *error = QStringLiteral("%1 を削除できません。").arg(QDir::toNativeSeparators(path));
        return false;
    }
    const QString folder = QFileInfo(path).absolutePath();
    QSaveFile file(path);
    if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly) ||
        file.write(EntryText(m_programPath)) < 0 || !file.commit()) {
        if (error)
            *error = QStringLiteral("%1 に書き込めません。").arg(QDir::toNativeSeparators(path));
        return false;
    }
    return true;
}

QString XdgAutostart::ExecArgument(const QString& programPath)
{
    // Inside double quotes the format reserves ", `, $ and \; a field code
    // starts with %, which stays literal only when doubled.
    QString quoted;
    for (const QChar c : programPath) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    quoted.replace(u'%', QStringLiteral("%%"));
    // The entry's own string escapes come after: a backslash is written twice.
    quoted.replace(u'\\', QStringLiteral("\\\\"));
    return u'"' + quoted + u'"';
}

QByteArray XdgAutostart::EntryText(const QString& programPath)
{
    QString text;
    text += QStringLiteral("[Desktop Entry]\n");
    text += QStringLiteral("Type=Application\n");
    text += QStringLiteral("Name=Morvane\n");
    text += QStringLiteral("Name[ja]=モルヴァ\n");
    text += QStringLiteral("Comment=Month calendar on the desktop with a schedule book\n");
    text += QStringLiteral("Comment[ja]=デスクトップに常駐する月間カレンダーと予定帳\n");
    text += QStringLiteral("Exec=") + ExecArgument(programPath) + u'\n';
    text += QStringLiteral("Icon=") + QLatin1String(kApplicationId) + u'\n';
    text += QStringLiteral("Terminal=false\n");
    text += QStringLiteral("X-GNOME-Autostart-enabled=true\n");
    return text.toUtf8();
}

QString XdgConfigFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

} // namespace morvane
