#include "app/WaylandGlobals.h"

namespace morvane {

QStringList WaylandGlobalInterfaces()
{
    return {};
}

} // namespace morvane
