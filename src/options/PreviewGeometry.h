#pragma once

#include "calendar_window/window/CalendarGeometry.h"

#include <QPoint>
#include <QSize>
#include <array>

namespace morvane {

// The options preview: the title, the weekday header and two weeks of the
// calendar, laid out by the calendar window's own measures for the size on
// the size slider, in a square box as wide as the calendar. All in twips.
inline constexpr int kPreviewCellCount = 22;
// The cell that stands for today (day "10").
inline constexpr int kPreviewTodayCell = 17;

struct PreviewLayout
{
    QSize box;                                      // square: W x W
    QSize calendar;                                 // the calendar window it stands for
    std::array<QPoint, kPreviewCellCount> shadow{}; // cell 0 is placed by PreviewTitlePosition
    std::array<QPoint, kPreviewCellCount> face{};
    QPoint mark;      // at cell 21's place
    IconPlaces icons; // jump and memo icons share a place
};

PreviewLayout LayoutPreviewCells(int calendarSize, bool jumpOrMemoIcon);

// The title's shadow: 150 from the left, or centred in the box when neither
// the month icons nor the jump icon is shown; 50 from the top.
QPoint PreviewTitlePosition(int boxWidth, int titleWidth, bool monthIcon, bool jumpIcon);

// The preview box centred over the wallpaper picture (left, in the
// wallpaper's units).
int PreviewBoxLeft(int wallpaperWidth, int boxWidth);

} // namespace morvane
