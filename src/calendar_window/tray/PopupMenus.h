#pragma once

#include <QString>
#include <array>

class QAction;
class QMenu;
class QWidget;

namespace morvane {

// The three popup menus of the calendar and the tray icon. Every menu and
// item carries its name as objectName ("MNU_S", "MNU_J_1", separators
// "MNU_SP1" ...), so windows and tests find them by name.
struct PopupMenus
{
    // MNU: the main popup.
    QMenu* MNU = nullptr;
    QAction* MNU_S = nullptr;
    QAction* MNU_E = nullptr; // caption set each time the popup opens
    QAction* MNU_D = nullptr; // caption set each time the popup opens
    QAction* MNU_P = nullptr; // ticked while the calendar is shown
    QAction* MNU_V = nullptr;
    QAction* MNU_F = nullptr;
    QAction* MNU_Y = nullptr; // shown while sync with a calendar server is on
    QAction* MNU_B = nullptr;
    QAction* MNU_N = nullptr;
    QAction* MNU_J = nullptr;
    QAction* MNU_O = nullptr;
    QAction* MNU_T = nullptr; // ticked while the calendar stays on top
    QAction* MNU_U = nullptr;
    QMenu* MNU_H = nullptr;
    QAction* MNU_H_C = nullptr;
    QAction* MNU_H_A = nullptr;
    QAction* MNU_X = nullptr;

    // MNU_JUMP: the jump popup of the calendar's jump icon.
    QMenu* MNU_JUMP = nullptr;
    QAction* MNU_J_J = nullptr;
    QAction* MNU_J_T = nullptr;
    QAction* MNU_J_B = nullptr;
    QAction* MNU_J_N = nullptr;
    std::array<QAction*, 12> MNU_J_month{}; // MNU_J_1 ... MNU_J_12

    // MNU_EDITFRM: the day editor's popup.
    QMenu* MNU_EDITFRM = nullptr;
    QAction* MNU_EDITFRM_N = nullptr;
    QAction* MNU_EDITFRM_D = nullptr;
};

// Builds the menus with every caption, separator and check mark, owned by
// owner.
PopupMenus BuildPopupMenus(QWidget* owner);

// Ticks a month item of the jump menu or takes its tick away. An item
// without its tick shows nothing beside it, not an empty box.
void SetMonthTicked(QAction* item, bool ticked);

// Captions of the two day items for the pressed cell: the day's number when
// the cell shows one, else "今日" (today).
struct DayItemCaptions
{
    QString edit;   // MNU_E
    QString remove; // MNU_D
};
DayItemCaptions DayItemCaptionsFor(int day);
inline constexpr int TodayCaptions = 0;

} // namespace morvane
