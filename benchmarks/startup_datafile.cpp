// Writes a data file for the start-up benchmarks: Morva.dat with the given
// number of schedules, all of them falling on the current month, or only
// inMonth of them with the rest spread over sixty years (a few of those
// may fall on the current month too).
//
//   startup_datafile <program folder> <count> [inMonth]

#include "calendar_window_month_fill.h"

#include <QCoreApplication>
#include <QDate>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fputs("usage: startup_datafile <program folder> <count> [inMonth]\n", stderr);
        return 2;
    }
    using namespace morvane;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int count = QString::fromLocal8Bit(argv[2]).toInt();
    const int inMonth = argc == 4 ? QString::fromLocal8Bit(argv[3]).toInt() : count;
    try {
        auto database = CreateScheduleDatabase(DataFilePath(folder));
        CreateMemoTable(*database);
        ScheduleDatabase schedules(std::move(database));
        bench::FillSchedules(schedules, inMonth, QDate::currentDate());
        bench::FillSchedules(schedules, count - inMonth, QDate());
    } catch (const EngineError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
