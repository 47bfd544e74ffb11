#include "calendar_window/input/InputActions.h"

namespace morvane {

WheelAction WheelActionFor(QPoint angleDelta, Qt::KeyboardModifiers modifiers,
                           Qt::MouseButtons buttons)
{
    if (buttons != Qt::NoButton || angleDelta.x() != 0)
        return WheelAction::None;
    const bool away = angleDelta.y() == WheelNotch;
    const bool toward = angleDelta.y() == -WheelNotch;
    if (!away && !toward)
        return WheelAction::None;
    if (modifiers == Qt::NoModifier)
        return away ? WheelAction::PreviousMonth : WheelAction::NextMonth;
    if (modifiers == Qt::ControlModifier)
        return away ? WheelAction::ZoomIn : WheelAction::ZoomOut;
    return WheelAction::None;
}

std::optional<MonthStep> KeyStepFor(int key)
{
    switch (key) {
    case Qt::Key_Home:
        return MonthStep::ThisMonth;
    case Qt::Key_Left:
        return MonthStep::PreviousMonth;
    case Qt::Key_Right:
        return MonthStep::NextMonth;
    case Qt::Key_Up:
        return MonthStep::PreviousYear;
    case Qt::Key_Down:
        return MonthStep::NextYear;
    default:
        return std::nullopt;
    }
}

} // namespace morvane
