#include "calendar_window/input/CalendarZoom.h"

#include "core/Settings.h"

namespace morvane {

bool ZoomCalendarSettings(Settings& settings, bool zoomIn)
{
    const int size = settings.CalendarSize;
    if (zoomIn ? size > LargestZoomSize - 1 : size < SmallestZoomSize + 1)
        return false;
    const auto newSize = static_cast<qint16>(zoomIn ? size + 1 : size - 1);
    const auto fontSize = static_cast<qint16>(newSize + 6);
    settings.CalendarSize = newSize;
    settings.FontSize = fontSize;
    settings.DayFontSize = fontSize;
    settings.MarkSize = fontSize;
    return true;
}

int ZoomedTitleLeft(const Settings& settings, int windowWidth, int titleWidth, int currentLeft)
{
    if (settings.MonthIcon)
        return 150;
    if (settings.JumpIcon || settings.MemoIcon)
        return (windowWidth - titleWidth) / 2;
    return currentLeft;
}

} // namespace morvane
