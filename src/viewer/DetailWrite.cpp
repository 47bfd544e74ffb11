#include "viewer/DetailWrite.h"

#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleFields.h"
#include "ui_toolkit/CalendarImages.h"
#include "viewer/RowKey.h"
#include "viewer/ViewerTree.h"

namespace morvane {

namespace {

namespace f = schedule_fields;

// The buffered writes and Update; a refused text cancels the edit so the
// record keeps what it had and the recordset is not left mid-edit.
template <typename Writes> bool CommitOrCancel(Recordset& rs, Writes&& writes)
{
    try {
        writes();
        rs.Update();
    } catch (const EngineError& error) {
        rs.CancelUpdate();
        if (error.code() == EngineErrorCode::FieldTooSmall)
            return false;
        throw;
    }
    return true;
}

DetailWrite ReplaceMessage(Recordset& schedules, ListRow& row, std::size_t cell,
                           const QString& text)
{
    if (!MoveToRowRecord(schedules, row))
        return DetailWrite::Stale;
    const Value stored = schedules.GetValue(f::Message);
    if (!stored.isNull() && stored.toString() == text)
        return DetailWrite::Unchanged;
    schedules.Edit();
    if (!CommitOrCancel(schedules, [&] { schedules.SetValue(f::Message, text); }))
        return DetailWrite::TooLong;
    if (row.cells.size() > cell)
        row.cells[cell].text = text;
    return DetailWrite::Saved;
}

} // namespace

DetailWrite WriteMonthRowText(Recordset& schedules, ListRow& row, int year, int month, int newType,
                              const QString& text)
{
    if (!row.key.isEmpty())
        return ReplaceMessage(schedules, row, MonthTextCell, text);
    if (text.isEmpty() || row.day <= 0)
        return DetailWrite::Unchanged;
    // One record written in one step: a refused text leaves no empty record.
    schedules.AddNew();
    const bool written = CommitOrCancel(schedules, [&] {
        schedules.SetValue(f::Type, newType);
        schedules.SetValue(f::Year, year);
        schedules.SetValue(f::Month, month);
        schedules.SetValue(f::Day, row.day);
        schedules.SetValue(f::Week, -1);
        schedules.SetValue(f::DayOfTheWeek, -1);
        schedules.SetValue(f::Message, text);
    });
    if (!written)
        return DetailWrite::TooLong;
    schedules.MoveLast();
    const int position = schedules.AbsolutePosition();
    row.key = MakeRowKey(position, row.day);
    row.recordId = schedules.RecordId();
    const QString& icon = TypeIconKey(newType);
    row.reportIconKey = icon.isEmpty() ? ImageKey::NormalItem : icon;
    while (row.cells.size() <= MonthTextCell)
        row.cells.push_back({});
    row.cells[MonthTextCell].text = text;
    return DetailWrite::Created;
}

DetailWrite WriteAllRowText(Recordset& schedules, ListRow& row, const QString& text)
{
    return ReplaceMessage(schedules, row, AllTextCell, text);
}

QString MemoTextTooLongMessage(int fieldSize, qsizetype bytes)
{
    return QStringLiteral("メモ内容の文字数が多すぎます。\r\n") + QString::number(fieldSize) +
           QStringLiteral("バイト以内で指定してください。\r\n\r\n（現在のバイト数=") +
           QString::number(bytes) + QStringLiteral("バイト）");
}

bool TitleTaken(const QStringList& nodeTexts, const QString& title)
{
    return nodeTexts.contains(title, Qt::CaseInsensitive);
}

QString DuplicateTitleMessage(const QString& title)
{
    return QStringLiteral("同じタイトルのメモ「") + title +
           QStringLiteral("」が既に存在します。\r\n別のタイトル名に変更してください。");
}

} // namespace morvane
