#pragma once

#include <QString>

namespace morvane {

struct MonthModel;

// What the month drawing needs from the calendar window. The window keeps
// no month data of its own: every drawing hands it the whole model.
class MonthView
{
public:
    virtual ~MonthView() = default;

    // Captions of the shadow and face layers, colours, mark glyphs, pointers
    // and the title of every cell. The cursor is placed separately.
    virtual void showMonth(const MonthModel& model) = 0;
    // Today's cursor on cell (8 to 49), or none when cell is 0.
    virtual void showTodayCursor(int cell) = 0;
    // Title line only (the title clock).
    virtual void setTitle(const QString& title) = 0;
    // Starts or stops the once-a-second title clock.
    virtual void setTitleClock(bool running) = 0;
    // Repaints the background (desktop copy, picture, frame).
    virtual void paintCalendarBackground() = 0;
};

} // namespace morvane
