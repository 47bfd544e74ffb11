#pragma once

#include <QObject>
#include <QPointer>

namespace morvane {

class AppContext;
class CalendarMenuFrm;
class ListViewFrm;

// Opens the viewer on the requests that ask for it (title press, memo icon,
// tray menu), refreshes it after the editor saved or deleted, and lets the
// jump dialog move it while it is shown. The window is created on demand and
// goes when closed; the next request builds it afresh.
class ViewerWiring : public QObject
{
    Q_OBJECT

public:
    // Without a menu window (tests) the jump dialog is not hooked.
    ViewerWiring(AppContext& context, CalendarMenuFrm* menu, QObject* parent = nullptr);
    // The jump dialog's hook: moves the shown viewer; false when it is not shown.
    bool jumpViewer(int year, int month);
    ~ViewerWiring() override;

    // Loads the viewer when needed, shows year/month (the memo list when
    // memoList) and brings it to the front.
    void openViewer(int year, int month, bool memoList);
    ListViewFrm* viewer() const;

private:
    AppContext& m_context;
    QPointer<ListViewFrm> m_viewer;
};

} // namespace morvane
