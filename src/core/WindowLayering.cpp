#include "core/WindowLayering.h"

#include <QtGlobal>

namespace morvane {

bool IsLayeringAvailable()
{
    // Every Windows Qt 6 runs on has layered windows; X11 (with a compositing
    // manager), Wayland and macOS honour window opacity.
#if defined(Q_OS_WIN) || defined(Q_OS_LINUX) || defined(Q_OS_MACOS) || defined(Q_OS_UNIX)
    return true;
#else
    return false;
#endif
}

} // namespace morvane
