#include "interchange/IcsApply.h"

#include "data/engine/DatabaseEngine.h"
#include "interchange/IcsExport.h"

namespace morvane {

IcsApplyResult ApplyIcsEntries(Database& database, Recordset& schedules,
                               const std::vector<ScheduleEntry>& entries)
{
    IcsApplyResult result;
    DistinctSchedules present;
    for (const ExportRecord& record : ReadExportRecords(schedules))
        present.add(record.entry);
    try {
        database.BeginTrans();
        for (const ScheduleEntry& entry : entries) {
            if (present.find(entry) >= 0) {
                result.entryAdded.push_back(false);
                ++result.duplicates;
                continue;
            }
            schedules.AddNew();
            WriteScheduleEntry(schedules, entry);
            schedules.Update();
            present.add(entry);
            result.entryAdded.push_back(true);
            ++result.added;
        }
        database.CommitTrans();
    } catch (const EngineError& error) {
        if (schedules.GetEditMode() != EditMode::None)
            schedules.CancelUpdate();
        if (database.InTransaction())
            database.Rollback();
        result = IcsApplyResult{};
        result.error =
            QStringLiteral("予定を保存できませんでした。何も取り込みませんでした。\r\n\r\n") +
            error.message();
    }
    return result;
}

} // namespace morvane
