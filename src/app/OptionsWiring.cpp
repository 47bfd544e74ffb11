#include "app/OptionsWiring.h"

#include "calendar_window/window/CalendarFrm.h"
#include "context/AppContext.h"
#include "options/CalendarOptionsTarget.h"
#include "options/OptionFrm.h"
#include "ui_toolkit/WindowLayering.h"

namespace morvane {

OptionsWiring::OptionsWiring(AppContext& context, CalendarFrm& calendar, CalendarMenuFrm& menu,
                             QSettings* store, QObject* parent)
    : QObject(parent), m_context(context), m_calendar(calendar), m_store(store),
      m_target(std::make_unique<CalendarOptionsTarget>(context, calendar, menu, store))
{
    connect(&context.events(), &AppEvents::optionsRequested, this, &OptionsWiring::showOptions);
}

OptionsWiring::~OptionsWiring()
{
    delete m_optionFrm;
}

OptionFrm* OptionsWiring::optionFrm() const
{
    return m_optionFrm.data();
}

void OptionsWiring::showOptions()
{
    if (!m_optionFrm) {
        auto* frm = new OptionFrm(m_context, *m_target);
        frm->setLayeringAvailable(IsLayeringAvailable());
        frm->setDesktopFallback([this] { return m_calendar.desktopCopy().image(); });
        frm->setSettingsStore(m_store);
        frm->Form_Load();
        m_target->setMessageParent(frm);
        // "キャンセル" unloads: the next opening reads the settings again.
        connect(frm, &OptionFrm::unloaded, frm, &QObject::deleteLater);
        m_optionFrm = frm;
    }
    m_optionFrm->show();
    m_optionFrm->raise();
    m_optionFrm->activateWindow();
}

} // namespace morvane
