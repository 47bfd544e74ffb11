#pragma once

namespace morvane {

// The part of the calendar window under a point, topmost first: the icons,
// then the face labels, the shadow labels, the mark labels, and the surface
// (Picture1) itself.
enum class CalendarPart
{
    Surface,
    FaceLabel,   // LB_B(index)
    ShadowLabel, // LB_A(index)
    MarkLabel,   // LB_C(index)
    Icon,        // Image1 to Image4 (index 1 to 4)
};

struct CalendarHit
{
    CalendarPart part = CalendarPart::Surface;
    int index = 0;

    bool operator==(const CalendarHit&) const = default;
};

} // namespace morvane
