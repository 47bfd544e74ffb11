// Edits a data file the way the viewer's detail box and delete command do,
// as fast as it can, until it is killed. Every change is announced before it
// is made ("P ...") and reported once it is stored ("S"), one line each,
// flushed, so the test that kills this process knows what must be in the
// file and what may be.
//
//   viewer_kill_driver <program folder> <seed>

#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleDatabase.h"
#include "viewer/AllList.h"
#include "viewer/DetailWrite.h"
#include "viewer/ViewerDeletion.h"

#include <cstdio>
#include <random>

using namespace morvane;

namespace {

void Say(const QString& line)
{
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    OpenScheduleResult opened = OpenScheduleDatabase(QString::fromLocal8Bit(argv[1]));
    if (!opened.ok())
        return 3;
    Recordset& schedules = opened.database->schedules();
    std::mt19937 random(unsigned(std::atoi(argv[2])));
    Say(QStringLiteral("R"));
    for (int step = 0;; ++step) {
        ListModel all = ShowAllList(schedules, -1);
        const int choice = int(random() % 10);
        if (all.rows.empty() || choice == 0) {
            ListRow row;
            row.day = 1 + int(random() % 28);
            row.cells.resize(MonthTextCell + 1);
            const QString text = QStringLiteral("n%1").arg(step);
            WriteMonthRowText(schedules, row, 2026, 5, 0, text);
            Say(QStringLiteral("C %1 %2").arg(row.recordId).arg(text));
            continue;
        }
        ListRow& row = all.rows[random() % all.rows.size()];
        if (choice == 1) {
            Say(QStringLiteral("P D %1").arg(row.recordId));
            DeleteRecordsById(schedules, {row.recordId});
            Say(QStringLiteral("S"));
            continue;
        }
        // One keystroke: a letter more, or a fresh start when long.
        QString text = row.text(AllTextCell);
        text = text.size() > 40 ? QStringLiteral("x") : text + QChar(u'a' + int(random() % 26));
        Say(QStringLiteral("P W %1 %2").arg(row.recordId).arg(text));
        if (WriteAllRowText(schedules, row, text) != DetailWrite::Saved)
            return 4;
        Say(QStringLiteral("S"));
    }
}
