// Writes a data file for the start-up benchmark: Morva.dat with the given
// number of schedules, all of them falling on the current month.
//
//   startup_datafile <program folder> <count>

#include "calendar_window_month_fill.h"

#include <QCoreApplication>
#include <QDate>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("usage: startup_datafile <program folder> <count>\n", stderr);
        return 2;
    }
    using namespace morvane;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int count = QString::fromLocal8Bit(argv[2]).toInt();
    try {
        auto database = CreateScheduleDatabase(DataFilePath(folder));
        CreateMemoTable(*database);
        ScheduleDatabase schedules(std::move(database));
        bench::FillSchedules(schedules, count, QDate::currentDate());
    } catch (const EngineError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
