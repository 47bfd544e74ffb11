#include "app/Lifecycle.h"

#include "context/AppContext.h"
#include "core/SettingsStore.h"

#include <QSettings>

namespace morvane {

Lifecycle::Lifecycle(AppContext& context, QSettings& store, QObject* parent)
    : QObject(parent), m_context(context), m_store(store)
{}

bool Lifecycle::saveSettingsOnce()
{
    if (m_saved)
        return false;
    m_saved = true;
    SaveSettings(m_store, m_context.settings(), m_context.programFolder(), m_context.clock());
    m_store.sync();
    return true;
}

void Lifecycle::exitProgram()
{
    saveSettingsOnce();
    if (removeTrayIcon)
        removeTrayIcon();
    end(0);
}

void Lifecycle::closeRequested()
{
    if (stopTimers)
        stopTimers();
    saveSettingsOnce();
    m_context.closeDatabase();
    // The close is never refused; with the calendar gone the program has no
    // reason to stay, so it ends here rather than lingering in the tray.
    if (removeTrayIcon)
        removeTrayIcon();
    end(0);
}

void Lifecycle::end(int exitCode)
{
    if (m_ending)
        return;
    m_ending = true;
    if (quit)
        quit(exitCode);
}

} // namespace morvane
