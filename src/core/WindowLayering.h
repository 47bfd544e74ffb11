#pragma once

namespace morvane {

// Whether the window system can make a whole window translucent. The first
// run turns window translucency on where it can, in place of the copied
// desktop background.
bool IsLayeringAvailable();

} // namespace morvane
