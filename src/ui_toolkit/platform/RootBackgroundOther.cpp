#include "ui_toolkit/platform/RootBackground.h"

namespace morvane {

QImage GrabRootBackground(const QRect& /*devicePixels*/)
{
    return {};
}

bool NativeWindowOrigin(quintptr /*window*/, QPoint* /*origin*/)
{
    return false;
}

} // namespace morvane
