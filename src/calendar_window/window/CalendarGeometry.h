#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace morvane {

// Where everything of the calendar window sits, in twips, as a function of
// the CalendarSize setting. The window itself turns these into pixels.

// Window size: 136 * size + 1700 wide, 90 * size + 1800 high.
QSize CalendarWindowSize(int calendarSize);

// Left/top of the shadow label of a grid cell (1 to 49): columns 0.13 of the
// window width apart from 100, rows 0.11 of its height apart from 400.
QPoint ShadowCellPosition(QSize windowSize, int cell);

// The face label lies this far up and left of its shadow.
inline constexpr int FaceOffset = 16;
// A pressed face label or icon moves this far right and down.
inline constexpr int PressOffset = 16;

// The mark and cursor layer of a cell, from its face label's place and the
// size of the face label of cell 30 (which sets the size of every cell).
QRect MarkCellRect(QPoint facePosition, QSize faceSize);

// Places of the four icons (top-left, twips).
struct IconPlaces
{
    QPoint previousMonth; // Image1
    QPoint nextMonth;     // Image2
    QPoint jump;          // Image3
    QPoint memo;          // Image4 (shares the jump icon's place)
};
IconPlaces IconButtonPlaces(int calendarSize, bool jumpOrMemoIcon);

// The title's shadow label after the first drawing: 150 from the left, or
// centred when no icon at all is shown; 50 from the top.
QPoint StartupTitlePosition(int windowWidth, int titleWidth, bool monthIcon, bool jumpIcon,
                            bool memoIcon);

// The frame: a 3-twip-wide outline and a rule under the title at 300.
struct CalendarBoxLines
{
    QRect outline; // from (0, 0) to the far corner, inclusive
    QPoint ruleFrom;
    QPoint ruleTo;
};
CalendarBoxLines CalendarBoxGeometry(QSize surfaceSize);

} // namespace morvane
