#pragma once

namespace morvane {

// Whether the window system will actually show a whole window translucent.
// The first run turns window translucency on where it can, in place of the
// copied desktop background; where it cannot (an X11 desktop without a
// compositing manager) an opacity would leave the calendar a solid box, so
// the copied desktop is the better default there.
bool IsLayeringAvailable();

} // namespace morvane
