#pragma once

#include <QObject>
#include <functional>

class QSettings;

namespace morvane {

class AppContext;

// The two ways the running program ends, and the settings save they share.
//
// The exit command saves the settings (with the end line of the log) and
// ends the program. A close request from the window system (log-off,
// shut-down, a termination signal) stops the timers, saves the settings and
// closes the database before ending (while a question box is open, the
// database waits for the program's tear-down). Whichever comes first saves; nothing is
// ever saved twice in one run.
class Lifecycle : public QObject
{
    Q_OBJECT

public:
    Lifecycle(AppContext& context, QSettings& store, QObject* parent = nullptr);

    // What ending involves besides the settings and the database; the
    // program plugs in its windows, tests record the calls.
    std::function<void()> stopTimers;
    std::function<void()> removeTrayIcon;
    std::function<void(int)> quit;

    // The tray menu's exit command.
    void exitProgram();
    // The window system asks the calendar window to close.
    void closeRequested();

    // Saves the settings unless this run already did. Returns whether it
    // saved now.
    bool saveSettingsOnce();
    bool settingsSaved() const { return m_saved; }
    bool ending() const { return m_ending; }

private:
    void end(int exitCode);

    AppContext& m_context;
    QSettings& m_store;
    bool m_saved = false;
    bool m_ending = false;
};

} // namespace morvane
