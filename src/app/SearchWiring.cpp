#include "app/SearchWiring.h"

#include "context/AppContext.h"
#include "search/FindFrm.h"

namespace morvane {

SearchWiring::SearchWiring(AppContext& context, QObject* parent)
    : QObject(parent), m_context(context)
{
    connect(&context.events(), &AppEvents::searchRequested, this, &SearchWiring::showSearch);
}

SearchWiring::~SearchWiring()
{
    delete m_findFrm;
}

FindFrm* SearchWiring::findFrm() const
{
    return m_findFrm.data();
}

void SearchWiring::showSearch()
{
    if (!m_findFrm)
        m_findFrm = new FindFrm(m_context);
    m_findFrm->show();
    m_findFrm->raise();
    m_findFrm->activateWindow();
}

} // namespace morvane
