#include "calendar_window/month/SettingColor.h"

namespace morvane {

namespace {

// The classic system colours by index, as a default desktop shows them.
QColor SystemColor(int index)
{
    switch (index) {
    case 0:  // scroll bar
    case 15: // button face
    case 4:  // menu
        return QColor(240, 240, 240);
    case 1: // desktop
        return QColor(0, 0, 0);
    case 2:  // active caption
    case 13: // highlight
        return QColor(0, 120, 215);
    case 3:  // inactive caption
    case 16: // button shadow
        return QColor(160, 160, 160);
    case 5:  // window background
    case 14: // highlight text
        return QColor(255, 255, 255);
    case 6: // window frame
        return QColor(100, 100, 100);
    case 17: // grey text
        return QColor(109, 109, 109);
    default: // text of menus, windows, captions and buttons
        return QColor(0, 0, 0);
    }
}

} // namespace

QColor SettingColor(qint32 value)
{
    const auto bits = static_cast<quint32>(value);
    if (bits & 0x80000000u)
        return SystemColor(static_cast<int>(bits & 0xffu));
    return QColor(static_cast<int>(bits & 0xffu), static_cast<int>((bits >> 8) & 0xffu),
                  static_cast<int>((bits >> 16) & 0xffu));
}

} // namespace morvane
