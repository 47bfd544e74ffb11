#pragma once

namespace morvane {

// Lets pending window events run (input, paints, timers) and returns. Any
// handler, including a timer tick, may run inside: callers must expect their
// window and shared state to have changed when it returns.
void DoEvents();

} // namespace morvane
