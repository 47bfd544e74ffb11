#pragma once

#include <QStringList>

namespace morvane {

// The interfaces the Wayland compositor of this session (WAYLAND_DISPLAY)
// announces, asked over a connection of our own that is closed again
// before the toolkit starts. Empty when none is named or answers, or off
// Linux.
QStringList WaylandGlobalInterfaces();

} // namespace morvane
