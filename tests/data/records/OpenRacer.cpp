// One start of the program as far as its data file: opens (or creates) the
// data file of the folder given and adds one schedule, as an import would.
// Exit code 0 when the schedule was stored, 3 when the file was in use,
// 1 for any other failure (its message on the output).

#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleDatabase.h"
#include "data/records/ScheduleFields.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    using namespace morvane;
    if (argc != 2)
        return 2;
    // As the program itself starts: the lock between starts names it.
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Morvane"));
    OpenScheduleResult opened = OpenScheduleDatabase(QString::fromLocal8Bit(argv[1]));
    if (!opened.ok()) {
        std::fputs(opened.failure.text.toUtf8().constData(), stdout);
        return opened.failure.text.contains(QStringLiteral("使用中")) ? 3 : 1;
    }
    try {
        Recordset& schedules = opened.database->schedules();
        schedules.AddNew();
        schedules.SetValue(schedule_fields::Message, Value(QStringLiteral("racer")));
        schedules.Update();
    } catch (const EngineError& error) {
        std::fputs(error.message().toUtf8().constData(), stdout);
        return error.code() == EngineErrorCode::FileInUse ? 3 : 1;
    }
    return 0;
}
