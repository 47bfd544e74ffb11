#pragma once

#include "calendar_window/input/StepMonth.h"

#include <QPoint>
#include <Qt>
#include <optional>

namespace morvane {

// What one wheel event over the calendar asks for.
enum class WheelAction
{
    None,
    PreviousMonth, // one notch away from the user
    NextMonth,     // one notch toward the user
    ZoomIn,        // one notch away with Ctrl
    ZoomOut,       // one notch toward with Ctrl
};

// One notch of a classic wheel. High-resolution wheels and touchpads report
// fractions of it; those do nothing, so that a light touch never flips the
// month.
inline constexpr int WheelNotch = 120;

// Only an exact notch of the vertical wheel counts, with no key but Ctrl and
// no mouse button held.
WheelAction WheelActionFor(QPoint angleDelta, Qt::KeyboardModifiers modifiers,
                           Qt::MouseButtons buttons);

// The month step of a released key: Home this month, Left/Right a month,
// Up/Down a year. Other keys step nothing.
std::optional<MonthStep> KeyStepFor(int key);

} // namespace morvane
