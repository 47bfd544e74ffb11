#pragma once

namespace morvane {

struct Settings;

// The wheel zoom works within these sizes (the options dialog allows more).
inline constexpr int SmallestZoomSize = 1;
inline constexpr int LargestZoomSize = 12;

// One zoom step of the calendar: CalendarSize up or down by one within 1 to
// 12, and the title, day and mark fonts all take the new size + 6 points.
// At a limit nothing changes and the result is false.
bool ZoomCalendarSettings(Settings& settings, bool zoomIn);

// Where the title's shadow label goes after a zoom (twips): beside the month
// icons at 150 when they are shown, centred over the window when only the
// jump or memo icon is, and where it was otherwise. titleWidth is measured
// before the new font is applied.
int ZoomedTitleLeft(const Settings& settings, int windowWidth, int titleWidth, int currentLeft);

} // namespace morvane
