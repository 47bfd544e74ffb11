#pragma once

namespace morvane {

// True when a compositing manager owns the X11 screen's _NET_WM_CM_S0
// selection, so window opacity is honoured. Answers true off X11.
bool X11HasCompositingManager();

} // namespace morvane
