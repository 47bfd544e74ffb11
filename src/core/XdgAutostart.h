#pragma once

#include "core/LoginStart.h"

namespace morvane {

// A desktop entry in <configFolder>/autostart, the folder every XDG desktop
// reads at login. A user who switched the entry off in the desktop's own
// settings (Hidden=true, X-GNOME-Autostart-enabled=false) sees the box off.
class XdgAutostart : public LoginStart
{
public:
    XdgAutostart(QString configFolder, QString programPath);

    QString entryPath() const;
    bool isEnabled() const override;
    bool setEnabled(bool enabled, QString* error) override;

    // The entry's text for programPath.
    static QByteArray EntryText(const QString& programPath);
    // programPath as one argument of an Exec line: quoted, with the
    // characters the format reserves escaped.
    static QString ExecArgument(const QString& programPath);

private:
    QString m_configFolder;
    QString m_programPath;
};

// $XDG_CONFIG_HOME, else ~/.config.
QString XdgConfigFolder();

} // namespace morvane
