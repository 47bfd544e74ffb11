#include "options/PreviewGeometry.h"

namespace morvane {

PreviewLayout LayoutPreviewCells(int calendarSize, bool jumpOrMemoIcon)
{
    PreviewLayout layout;
    layout.calendar = CalendarWindowSize(calendarSize);
    layout.box = {layout.calendar.width(), layout.calendar.width()};
    for (int cell = 1; cell < kPreviewCellCount; ++cell) {
        const QPoint shadow = ShadowCellPosition(layout.calendar, cell);
        layout.shadow[std::size_t(cell)] = shadow;
        layout.face[std::size_t(cell)] = shadow - QPoint(FaceOffset, FaceOffset);
    }
    layout.mark = layout.shadow[kPreviewCellCount - 1];
    layout.icons = IconButtonPlaces(calendarSize, jumpOrMemoIcon);
    return layout;
}

QPoint PreviewTitlePosition(int boxWidth, int titleWidth, bool monthIcon, bool jumpIcon)
{
    if (!monthIcon && !jumpIcon)
        return {(boxWidth - titleWidth) / 2, 50};
    return {150, 50};
}

int PreviewBoxLeft(int wallpaperWidth, int boxWidth)
{
    return (wallpaperWidth - boxWidth) / 2;
}

} // namespace morvane
