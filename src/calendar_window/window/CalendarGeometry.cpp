#include "calendar_window/window/CalendarGeometry.h"

#include <cmath>
#include <cstdint>

namespace morvane {

namespace {

// Sizes are 16-bit integers where they are stored.
int ToInteger(double value)
{
    return static_cast<std::int16_t>(std::lround(value));
}

// Halves go to the even neighbour, as the icon places always did.
int RoundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

} // namespace

QSize CalendarWindowSize(int calendarSize)
{
    return {ToInteger(136.0 * calendarSize + 1700), ToInteger(90.0 * calendarSize + 1800)};
}

QPoint ShadowCellPosition(QSize windowSize, int cell)
{
    // cell = row * 7 + column, with column 1 (Sunday) to 7 (Saturday).
    const int gridRow = (cell - 1) / 7;
    const int gridColumn = (cell - 1) % 7 + 1;
    const double left = 100 + 0.13 * windowSize.width() * (gridColumn - 1);
    const double top = 400 + 0.11 * windowSize.height() * gridRow;
    return {static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top))};
}

QRect MarkCellRect(QPoint facePosition, QSize faceSize)
{
    return {facePosition.x() + 10, facePosition.y() + 50, faceSize.width(),
            static_cast<int>(std::lround(faceSize.height() * 0.8))};
}

IconPlaces IconButtonPlaces(int calendarSize, bool jumpOrMemoIcon)
{
    const int width = CalendarWindowSize(calendarSize).width();
    const int monthTop = RoundHalfEven(calendarSize * 0.5 + 40);
    const int jumpTop = RoundHalfEven(calendarSize * 0.5 + 15);
    IconPlaces places;
    places.previousMonth = {jumpOrMemoIcon ? width - 800 : width - 500, monthTop};
    places.nextMonth = {width - 300, monthTop};
    places.jump = {width - 600, jumpTop};
    places.memo = places.jump;
    return places;
}

QPoint StartupTitlePosition(int windowWidth, int titleWidth, bool monthIcon, bool jumpIcon,
                            bool memoIcon)
{
    int left = 150;
    if (!monthIcon && !jumpIcon && !memoIcon)
        left = (windowWidth - titleWidth) / 2;
    return {left, 50};
}

CalendarBoxLines CalendarBoxGeometry(QSize surfaceSize)
{
    CalendarBoxLines lines;
    lines.outline =
        QRect(QPoint(0, 0), QPoint(surfaceSize.width() - 10, surfaceSize.height() - 10));
    lines.ruleFrom = {80, 300};
    lines.ruleTo = {surfaceSize.width() - 80, 300};
    return lines;
}

} // namespace morvane
