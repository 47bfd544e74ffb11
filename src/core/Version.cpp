#include "core/Version.h"

namespace morvane {

QString RunningVersion()
{
    // Set by the build from the project version.
    return QStringLiteral(MORVANE_VERSION);
}

} // namespace morvane
