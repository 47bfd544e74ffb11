#include "interchange/IcsApply.h"

#include "data/engine/DatabaseEngine.h"
#include "interchange/IcsExport.h"

namespace morvane {

IcsApplyResult ApplyIcsEntries(Database& database, Recordset& schedules,
                               const std::vector<ScheduleEntry>& entries)
{
    IcsApplyResult result;
    std::vector<ScheduleEntry> present;
    for (const ExportRecord& record : ReadExportRecords(schedules))
        present.push_back(record.entry);
    const auto isPresent = [&present](const ScheduleEntry& entry) {
        for (const ScheduleEntry& other : present) {
            if (other.sameSchedule(entry))
                return true;
        }
        return false;
    };
    try {
        database.BeginTrans();
        for (const ScheduleEntry& entry : entries) {
            if (isPresent(entry)) {
                ++result.duplicates;
                continue;
            }
            schedules.AddNew();
            WriteScheduleEntry(schedules, entry);
            schedules.Update();
            present.push_back(entry);
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
