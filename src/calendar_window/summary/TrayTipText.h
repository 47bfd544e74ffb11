#pragma once

#include <QDate>
#include <QString>

namespace morvane {

// The sixteen one-line summaries of a day the tray icon can carry, chosen by
// the TootTipType setting (0 to 15). Layout 0 is also what the tray shows
// after every drawing of the current month.
inline constexpr int TrayTipLayoutCount = 16;

// The summary of date in layout tipType, with count the number of the day's
// schedules; "error" for a layout outside 0 to 15.
//
// The text is the visible tip only. Windows keeps a tray tip in a fixed
// 64-character record that must fit 63 bytes of code page 932; every layout
// stays well below that (the longest, layout 1 with a five-digit count, takes
// under 40 bytes), so nothing is ever cut and no padding is carried here.
QString TrayTipText(int tipType, QDate date, int count);

} // namespace morvane
