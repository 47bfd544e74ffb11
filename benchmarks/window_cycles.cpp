// Memory of the running program over many openings and closings of the
// editor, the viewer and the search: the whole program started on a data
// file of its own (offscreen unless a platform is named), then each window
// opened as the menus open it and closed as the user closes it, cycle after
// cycle. Prints the resident and the anonymous memory (Linux /proc) after
// the start and along the cycles, the threads and the widgets alive.
//
//   window_cycles [cycles] [records] [windows: e editor, v viewer, s search; evs]

#include "app/MorvaneProgram.h"
#include "calendar_window_month_fill.h"
#include "calendar_window/window/CalendarFrm.h"
#include "context/AppContext.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>
#include <set>

namespace {

// "VmRSS" and "RssAnon" in kB, and the thread count, of this process.
void PrintMemory(const char* when, int cycle)
{
    QFile status(QStringLiteral("/proc/self/status"));
    long rss = 0, anon = 0, threads = 0;
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            const QList<QByteArray> parts = line.simplified().split(' ');
            if (parts.size() < 2)
                continue;
            if (parts[0] == "VmRSS:")
                rss = parts[1].toLong();
            else if (parts[0] == "RssAnon:")
                anon = parts[1].toLong();
            else if (parts[0] == "Threads:")
                threads = parts[1].toLong();
        }
    }
    std::printf("%-22s %5d  rss %7.1f MB  anon %6.1f MB  threads %ld  widgets %lld\n", when, cycle,
                rss / 1024.0, anon / 1024.0, threads,
                static_cast<long long>(QApplication::allWidgets().size()));
    std::fflush(stdout);
}

void Settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

// Closes every shown window but the calendar, as the user's close button does.
void CloseOthers(const QWidget* calendar)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != calendar && window->isVisible() && window->isWindow())
            window->close();
    }
    Settle();
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const int cycles = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1000;
    const int records = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 27;
    const QString windows = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral("evs");

    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    using namespace morvane;
    try {
        auto database = CreateScheduleDatabase(DataFilePath(dir.path()));
        CreateMemoTable(*database);
        ScheduleDatabase schedules(std::move(database));
        bench::FillSchedules(schedules, records, QDate::currentDate());
    } catch (const EngineError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    ProgramPlaces places{dir.path(), dir.path(),
                         std::make_unique<QSettings>(dir.filePath(QStringLiteral("settings.ini")),
                                                     QSettings::IniFormat)};
    MorvaneProgram program(std::move(places));
    if (!program.start())
        return 1;
    Settle();
    const QWidget* calendar = program.calendar();
    AppEvents& events = program.context()->events();
    const QDate today = QDate::currentDate();
    PrintMemory("started", 0);

    const std::set<int> reports{1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000};
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        if (windows.contains(QLatin1Char('e'))) {
            emit events.editorRequested(today, false);
            Settle();
            CloseOthers(calendar);
        }
        if (windows.contains(QLatin1Char('v'))) {
            emit events.viewerRequested(today.year(), today.month(), false);
            Settle();
            CloseOthers(calendar);
        }
        if (windows.contains(QLatin1Char('s'))) {
            emit events.searchRequested();
            Settle();
            CloseOthers(calendar);
        }
        if (reports.count(cycle) || cycle == cycles)
            PrintMemory("after cycle", cycle);
    }
    return 0;
}
