#include "app/Lifecycle.h"

#include "context/AppContext.h"
#include "core/SettingsStore.h"

#include <QSettings>
#include <QThread>

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
    // A question may be open in a loop of its own with records in hand (the
    // day's deletion asks schedule by schedule); that code reads them once
    // the quit returns its box. The database is then closed as the program
    // is torn down, not under it.
    if (QThread::currentThread()->loopLevel() <= 1)
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
