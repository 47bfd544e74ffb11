#include "ui_toolkit/platform/RootBackground.h"

namespace morvane {

QImage GrabRootBackground(const QRect& /*devicePixels*/)
{
    return {};
}

} // namespace morvane
