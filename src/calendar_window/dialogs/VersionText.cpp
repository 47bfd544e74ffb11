#include "calendar_window/dialogs/VersionText.h"

#include "calendar_math/DateFormat.h"
#include "core/Version.h"

#include <QStringList>

namespace morvane {

QString VersionText(int major, int minor, int revision)
{
    QString text = "Version " + QString::number(major) + "." + FormatNumber(minor, u"00");
    if (revision != 0) {
        text += "." + FormatNumber(revision, u"###0");
    }
    return text;
}

QString RunningVersionText()
{
    const QStringList parts = RunningVersion().split('.');
    const auto part = [&parts](int index) {
        return index < parts.size() ? parts[index].toInt() : 0;
    };
    return VersionText(part(0), part(1), part(2));
}

} // namespace morvane
