#pragma once

#include <QString>

namespace morvane {

// The running program's version, major.minor.revision (for example 2.17.0).
QString RunningVersion();

} // namespace morvane
