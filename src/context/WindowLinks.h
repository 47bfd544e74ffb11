#pragma once

#include <QString>

namespace morvane {

// What the viewer and the search window show, kept current by those windows
// so that the editor (and anything else) can ask without knowing them.
struct ViewerLink
{
    bool visible = false;
    // The month the viewer lists.
    int ListViewYear = 0;
    int ListViewMonth = 0;
    // Path of the tree node shown, e.g. "予定一覧\月別\2026年\12月".
    QString treePath;
    // Schedule text ("予定内容") of the selected list row.
    QString selectedScheduleText;
};

struct SearchLink
{
    bool visible = false;
    // Schedule text of the selected result row.
    QString selectedScheduleText;
};

} // namespace morvane
