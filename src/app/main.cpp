#include "app/IcsCommand.h"
#include "app/MorvaneProgram.h"
#include "app/PlatformChoice.h"
#include "app/SyncCommand.h"
#include "app/ToolkitTranslations.h"
#include "app/WaylandGlobals.h"
#include "calendar_window/tray/TrayIconArt.h"
#include "core/AppIdentity.h"
#include "core/Clock.h"
#include "core/ProgramFolder.h"
#include "core/SettingsStore.h"
#include "ui_toolkit/platform/DesktopLayer.h"

#include <QApplication>
#include <QLocale>
#include <QTextStream>
#include <vector>

int main(int argc, char* argv[])
{
    if (morvane::IsIcsCommand(argc, argv)) {
        // A file in or out, for scripts: no window, no display needed.
        QCoreApplication app(argc, argv);
        QCoreApplication::setOrganizationName(QString::fromLatin1(morvane::kOrganizationName));
        QCoreApplication::setApplicationName(QString::fromLatin1(morvane::kApplicationName));
        morvane::SystemClock clock;
        QTextStream out(stdout);
        QTextStream err(stderr);
        return morvane::RunIcsCommand(QCoreApplication::arguments(), morvane::ProgramFolder(),
                                      clock, out, err);
    }
    if (morvane::IsSyncCommand(argc, argv)) {
        // One sync with the calendar server, for scripts: no window.
        QCoreApplication app(argc, argv);
        QCoreApplication::setOrganizationName(QString::fromLatin1(morvane::kOrganizationName));
        QCoreApplication::setApplicationName(QString::fromLatin1(morvane::kApplicationName));
        morvane::SystemClock clock;
        QTextStream out(stdout);
        QTextStream err(stderr);
        const std::unique_ptr<QSettings> settings = morvane::OpenUserSettingsStore();
        return morvane::RunSyncCommand(QCoreApplication::arguments(), morvane::ProgramFolder(),
                                       *settings, clock, out, err);
    }
    // The platform is chosen on the command line Qt reads, not in the
    // environment, so that programs started from the calendar (a browser,
    // a sound player) make their own choice.
    std::vector<char*> arguments(argv, argv + argc);
    const QStringList waylandGlobals = morvane::WaylandGlobalInterfaces();
    QByteArray platform = morvane::StartPlatformFromEnvironment(waylandGlobals);
    if (waylandGlobals.contains(QLatin1String(morvane::kLayerShellInterface)))
        morvane::PrepareDesktopLayer();
    char platformOption[] = "-platform";
    if (!platform.isEmpty()) {
        arguments.insert(arguments.begin() + 1, {platformOption, platform.data()});
    }
    int argumentCount = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);
    QApplication app(argumentCount, arguments.data());
    QApplication::setOrganizationName(QString::fromLatin1(morvane::kOrganizationName));
    QApplication::setApplicationName(QString::fromLatin1(morvane::kApplicationName));
    // The desktop matches the windows to the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(morvane::kApplicationId));
    QApplication::setWindowIcon(morvane::CalendarPageIcon());
    // The calendar may be hidden with only the tray icon left: closing a
    // dialog must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    // The file and colour dialogs speak the user's language, as the
    // program's own windows do.
    morvane::InstallToolkitTranslations(app, QLocale::system());

    morvane::MorvaneProgram program;
    if (!program.start())
        return program.exitCode();
    return QApplication::exec();
}
