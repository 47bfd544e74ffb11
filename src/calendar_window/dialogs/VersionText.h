#pragma once

#include <QString>

namespace morvane {

// The version line of the version window: "Version 2.17" for 2.17.0, the
// minor number in two digits at least and the revision only when it is not
// 0 ("Version 2.05.12").
QString VersionText(int major, int minor, int revision);

// VersionText of the running program.
QString RunningVersionText();

} // namespace morvane
