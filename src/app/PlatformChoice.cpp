#include "app/PlatformChoice.h"

#include <QtGlobal>

namespace morvane {

QByteArray StartPlatform(const QByteArray& userPlatform, const QByteArray& waylandDisplay,
                         const QByteArray& x11Display, const QStringList& waylandGlobals)
{
    if (!userPlatform.trimmed().isEmpty())
        return {};
    if (waylandDisplay.trimmed().isEmpty())
        return {};
    if (waylandGlobals.contains(QLatin1String(kLayerShellInterface)))
        return QByteArrayLiteral("wayland");
    if (x11Display.trimmed().isEmpty())
        return {};
    return QByteArrayLiteral("xcb");
}

QByteArray StartPlatformFromEnvironment(const QStringList& waylandGlobals)
{
    return StartPlatform(qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"),
                         qgetenv("DISPLAY"), waylandGlobals);
}

} // namespace morvane
