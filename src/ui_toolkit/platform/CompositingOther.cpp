#include "ui_toolkit/platform/Compositing.h"

namespace morvane {

bool X11HasCompositingManager()
{
    return true;
}

} // namespace morvane
