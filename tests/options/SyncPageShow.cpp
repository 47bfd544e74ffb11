// Shows the options window on its 同期 page over a settings file, with the
// sync status given on the command line, so the status line can be looked
// at on a real desktop:
//   sync_page_show SETTINGS.ini [STATUS-LINE [failing]]
#include "RecordingTarget.h"
#include "context/AppContext.h"
#include "options/OptionFrm.h"
#include "options/SyncPage.h"

#include <QApplication>
#include <QSettings>
#include <QTabWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2)
        return 2;
    morvane::SystemClock clock;
    morvane::AppContext context(clock, QString());
    QSettings store(arguments[1], QSettings::IniFormat);
    if (arguments.size() > 2)
        context.syncStatus = {false, arguments[2], arguments.size() > 3};
    morvane::RecordingTarget target;
    morvane::OptionFrm frm(context, target);
    frm.setSettingsStore(&store);
    frm.Form_Load();
    frm.TabStrip1->setCurrentWidget(frm.syncPage());
    frm.show();
    return QApplication::exec();
}
