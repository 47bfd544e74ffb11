#include "app/PlatformChoice.h"

#include "app/WaylandGlobals.h"

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

QByteArray StartPlatformFromEnvironment()
{
    const QByteArray user = qgetenv("QT_QPA_PLATFORM");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    // The compositor is asked only when its answer can change the choice.
    const bool ask = user.trimmed().isEmpty() && !wayland.trimmed().isEmpty();
    return StartPlatform(user, wayland, qgetenv("DISPLAY"),
                         ask ? WaylandGlobalInterfaces() : QStringList());
}

} // namespace morvane
