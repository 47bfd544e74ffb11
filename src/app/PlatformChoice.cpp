#include "app/PlatformChoice.h"

#include <QtGlobal>

namespace morvane {

QByteArray StartPlatform(const QByteArray& userPlatform, const QByteArray& waylandDisplay,
                         const QByteArray& x11Display)
{
    if (!userPlatform.trimmed().isEmpty())
        return {};
    if (waylandDisplay.trimmed().isEmpty() || x11Display.trimmed().isEmpty())
        return {};
    return QByteArrayLiteral("xcb");
}

QByteArray StartPlatformFromEnvironment()
{
    return StartPlatform(qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"),
                         qgetenv("DISPLAY"));
}

} // namespace morvane
