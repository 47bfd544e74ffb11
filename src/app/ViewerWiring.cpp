#include "app/ViewerWiring.h"

#include "calendar_window/tray/CalendarMenuFrm.h"
#include "context/AppContext.h"
#include "viewer/ListViewFrm.h"
#include "viewer/ViewerTree.h"

namespace morvane {

ViewerWiring::ViewerWiring(AppContext& context, CalendarMenuFrm* menu, QObject* parent)
    : QObject(parent), m_context(context)
{
    AppEvents& events = context.events();
    connect(&events, &AppEvents::viewerRequested, this, &ViewerWiring::openViewer);
    connect(&events, &AppEvents::viewerRefreshRequested, this, [this] {
        if (m_viewer && m_viewer->isVisible())
            m_viewer->RefreshListView();
    });
    if (menu)
        menu->setViewerJumpHandler([this](int year, int month) { return jumpViewer(year, month); });
}

ViewerWiring::~ViewerWiring()
{
    delete m_viewer;
}

ListViewFrm* ViewerWiring::viewer() const
{
    return m_viewer;
}

void ViewerWiring::openViewer(int year, int month, bool memoList)
{
    if (!m_viewer) {
        m_viewer = new ListViewFrm(m_context);
        m_viewer->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_viewer->ListViewYear = year;
    m_viewer->ListViewMonth = month;
    if (memoList)
        m_viewer->selectPath(tree_text::Memos);
    else
        m_viewer->RefreshListView();
    m_viewer->show();
    m_viewer->raise();
    m_viewer->activateWindow();
}

bool ViewerWiring::jumpViewer(int year, int month)
{
    if (!m_viewer || !m_viewer->isVisible())
        return false;
    m_viewer->ListViewYear = year;
    m_viewer->ListViewMonth = month;
    m_viewer->RefreshListView();
    return true;
}

} // namespace morvane
