#include "viewer/AllList.h"

#include "data/engine/DatabaseEngine.h"
#include "data/records/RuleLabel.h"
#include "data/records/ScheduleCodes.h"
#include "ui_toolkit/CalendarImages.h"
#include "viewer/RowKey.h"
#include "viewer/ViewerTree.h"

namespace morvane {

std::vector<ListColumn> AllListColumns()
{
    return {
        {QStringLiteral("予定日"), 1900, {}},
        {QStringLiteral("予定内容"), StretchWidth, {}},
        {QString(), 600, ImageKey::AlarmItem},
    };
}

int AllScheduleColumnWidth(int listWidth)
{
    return listWidth > 3000 ? listWidth - 2750 : 1000;
}

ListRow AllListRow(const ViewerRecord& record, int index)
{
    ListRow row;
    row.cells.resize(3);
    row.cells[0].text = RuleLabel(record.pattern, record.bounds);
    if (!record.alarm.trimmed().isEmpty())
        row.cells[2].text = record.alarm;
    if (!record.message.isEmpty()) {
        row.cells[1].text = record.message;
        // Colour 1 (dark blue) is the list's own text colour.
        const std::optional<int> code = record.color;
        if (code && *code != 1) {
            if (const std::optional<int> index = ListTextColorIndex(*code))
                row.cells[1].color = QColor::fromRgb(QBColor(*index)->argb());
        }
    }
    row.key = MakeRowKey(record.position, index);
    row.recordId = record.id;
    if (record.pattern.type)
        row.smallIconKey = TypeIconKey(*record.pattern.type);
    return row;
}

bool IsBrokenForAllList(const SchedulePattern& pattern, int typeFilter)
{
    if (typeFilter != -1 && !PassesTypeFilter(pattern.type, typeFilter))
        return false;
    return !pattern.type || pattern.day == 0;
}

ListModel BuildAllList(const std::vector<ViewerRecord>& records, int recordCount)
{
    ListModel model;
    model.caption = QStringLiteral("Morvane [Viewer] - 全ての予定一覧");
    model.statusTitle = QStringLiteral("全ての予定一覧");
    model.columns = AllListColumns();
    if (recordCount < 1) {
        model.count = recordCount;
        model.statusCount = CountText(recordCount);
        return model;
    }
    model.rows.reserve(records.size());
    for (const ViewerRecord& record : records)
        model.rows.push_back(AllListRow(record, int(model.rows.size()) + 1));
    model.count = int(model.rows.size());
    model.statusCount = CountText(model.count);
    return model;
}

ListModel ShowAllList(Recordset& schedules, int typeFilter)
{
    DeleteRecordsWhere(schedules, [typeFilter](const SchedulePattern& p) {
        return IsBrokenForAllList(p, typeFilter);
    });
    const int recordCount = schedules.RecordCount();
    std::vector<ViewerRecord> records;
    if (recordCount > 0) {
        records = ReadViewerRecords(schedules, [typeFilter](const SchedulePattern& p) {
            return PassesTypeFilter(p.type, typeFilter);
        });
    }
    return BuildAllList(records, recordCount);
}

} // namespace morvane
