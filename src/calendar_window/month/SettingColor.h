#pragma once

#include <QColor>
#include <QtGlobal>

namespace morvane {

// The colour a setting holds: blue * 65536 + green * 256 + red, or a system
// colour (top bit set, the low byte naming it), resolved to the usual colour
// of that element (5, the window background, is white).
QColor SettingColor(qint32 value);

} // namespace morvane
