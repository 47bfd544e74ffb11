#include "editor/DayEditor.h"

#include "calendar_math/Rokuyou.h"
#include "context/AppContext.h"
#include "core/AnsiText.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/DaySchedules.h"
#include "data/records/ScheduleDatabase.h"
#include "data/records/ScheduleFields.h"
#include "data/records/SchedulePattern.h"
#include "data/records/SyncBookkeeping.h"
#include "editor/ScheduleRecordIO.h"
#include "editor/WriteFailure.h"
#include "ui_toolkit/CalendarImages.h"
#include "ui_toolkit/MsgBox.h"

namespace morvane {

namespace f = schedule_fields;

namespace {

const QString kDeleteTitle = QStringLiteral("予定の削除");
const QString kSaveTitle = QStringLiteral("予定の保存");
const QString kWriteErrorTitle = QStringLiteral("DB保存時のエラー");
const QString kChooseToDelete = QStringLiteral("削除する予定を一覧から選んでください。");

bool StartsWithTreePath(const QString& path, const char16_t* start)
{
    return path.startsWith(QString::fromUtf16(start));
}

} // namespace

QString ScheduleSaveQuestion(const QString& text)
{
    return QStringLiteral("予定の内容「") + TitleLine(text) +
           QStringLiteral("」が変更されています。\n変更を保存しますか？");
}

QString ScheduleDeleteQuestion(const QString& text)
{
    return QStringLiteral("「") + TitleLine(text) +
           QStringLiteral("」\nを削除してもよろしいですか？");
}

QString MessageTooLongText(int fieldSize, qsizetype byteCount)
{
    return ScheduleTextTooLongMessage(fieldSize, byteCount);
}

DayEditor::DayEditor(AppContext& context) : m_context(context)
{
    m_ask = [](const QString& text, int style, const QString& title) {
        return MsgBox(text, style, title);
    };
    m_date = context.clock().today();
    ShownDate = m_date;
    m_choices = RuleChoicesFor(m_date);
    ApplyKindRules(kind_index::Ordinary, m_form, m_panel);
}

Recordset* DayEditor::schedules() const
{
    ScheduleDatabase* database = m_context.database();
    return database ? &database->schedules() : nullptr;
}

int DayEditor::ask(const QString& text, int style, const QString& title) const
{
    return m_ask ? m_ask(text, style, title) : MsgBoxDefaultResult(style);
}

int DayEditor::askToSave() const
{
    return ask(ScheduleSaveQuestion(m_form.text),
               MsgBoxStyle::YesNoCancel + MsgBoxStyle::Exclamation, EditorTitle);
}

QString DayEditor::rokuyouCaption() const
{
    return QStringLiteral("の予定 [") + GetRokuyou(m_date) + QStringLiteral("]");
}

QString DayEditor::countText() const
{
    return QString::number(m_rows.size()) + QStringLiteral("件");
}

// --- Filling -----------------------------------------------------------------

EditorRow DayEditor::rowFromCurrentRecord(Recordset& rs) const
{
    EditorRow row;
    row.position = rs.AbsolutePosition();
    row.recordId = rs.RecordId();
    row.text = rs.GetValue(f::Message).toString();
    row.dateLabel = StoredDateLabel(rs);
    row.icon = TypeImageIndex(OptionalInt(rs.GetValue(f::Type)).value_or(-1));
    row.colorCode = RowColorCode(OptionalInt(rs.GetValue(f::Color)));
    return row;
}

void DayEditor::SetEditFrm(QDate editDate, bool fromViewer)
{
    ++m_refillDepth;
    m_rows.clear();
    m_selected = -1;
    m_freshRecordId = 0;
    m_rowAskedFor = fromViewer;
    m_date = editDate;
    ShownDate = editDate;
    EditIndex = 0;

    m_choices = RuleChoicesFor(editDate);
    m_form.yearChoice = 0;
    m_form.monthChoice = 0;
    m_form.dayChoice = day_choice::Date;
    m_form.equinox = false;
    ApplyKindRules(kind_index::Ordinary, m_form, m_panel);

    if (Recordset* rs = schedules()) {
        for (int position : FindSchedulesOn(*rs, editDate)) {
            rs->SetAbsolutePosition(position);
            m_rows.push_back(rowFromCurrentRecord(*rs));
        }
    }
    m_status4.clear();
    m_status5.clear();

    if (!m_rows.empty()) {
        m_selected = 0; // the list's own choice when nothing below matches
        QString wanted;
        bool matchText = false;
        const ViewerLink& viewer = m_context.viewer;
        if (fromViewer && viewer.treePath.size() > 5 &&
            (StartsWithTreePath(viewer.treePath, u"予定一覧\\月") ||
             StartsWithTreePath(viewer.treePath, u"予定一覧\\全"))) {
            wanted = viewer.selectedScheduleText;
            matchText = true;
        } else if (!fromViewer && m_context.search.visible) {
            wanted = m_context.search.selectedScheduleText;
            matchText = true;
        }
        if (matchText) {
            // The last of several equal texts wins.
            for (int i = 0; i < int(m_rows.size()); ++i) {
                if (m_rows[std::size_t(i)].text == wanted) {
                    m_selected = i;
                    m_rowAskedFor = true;
                }
            }
        }
        ShowItem();
    } else {
        // A day without schedules starts from a clean panel, so that a new
        // schedule does not inherit the options of the day shown before.
        resetPanel();
    }
    UpdateOptionControls(m_form, m_panel);
    Changed = false;
    --m_refillDepth;
}

void DayEditor::resetPanel()
{
    m_form.text.clear();
    m_form.birthPerson.clear();
    m_form.birthYear = 0;
    m_form.timeRange = false;
    m_form.alarm = false;
    m_form.color = false;
    m_form.mark = false;
    m_form.markIndex = 0;
    m_form.startTime = m_form.endTime = m_form.alarmTime = QTime(0, 0);
    m_form.startSet = m_form.endSet = true;
    m_form.yearChoice = m_form.monthChoice = 0;
    m_form.dayChoice = day_choice::Date;
    m_form.equinox = false;
    ApplyKindRules(kind_index::Ordinary, m_form, m_panel);
}

void DayEditor::ShowItem()
{
    if (m_selected < 0 || m_selected >= int(m_rows.size()))
        return;
    const std::optional<int> position = recordPosition(m_selected);
    Recordset* rs = schedules();
    if (!position || !rs)
        return;
    rs->SetAbsolutePosition(*position);
    const ScheduleStatus status =
        LoadScheduleForm(*rs, m_date, m_context.clock().today(), m_form, m_panel);
    m_status4 = status.dayCounter;
    m_status5 = status.occasion;
    paintSelectedRow();
    Changed = false;
}

void DayEditor::showStatusOfCurrentRecord(const Recordset& rs)
{
    // The panel already holds what was written, and the user may have typed
    // on since: only the status panels are read from the record.
    ScheduleForm form = m_form;
    PanelState panel = m_panel;
    const ScheduleStatus status =
        LoadScheduleForm(rs, m_date, m_context.clock().today(), form, panel);
    m_status4 = status.dayCounter;
    m_status5 = status.occasion;
}

// --- Rows and their records ----------------------------------------------------

bool DayEditor::rekeyRows()
{
    Recordset* rs = schedules();
    if (!rs)
        return false;
    for (EditorRow& row : m_rows) {
        const int position = rs->PositionOfRecordId(row.recordId);
        if (position < 0)
            return false;
        row.position = position;
    }
    return true;
}

std::optional<int> DayEditor::recordPosition(int row)
{
    Recordset* rs = schedules();
    if (!rs || row < 0 || row >= int(m_rows.size()))
        return std::nullopt;
    const EditorRow& entry = m_rows[std::size_t(row)];
    if (rs->RecordIdAt(entry.position) == entry.recordId)
        return entry.position;
    // Another window removed records since the day was filled: when every
    // row's record is still there only the keys are stale; otherwise the
    // day is read again and the action is dropped.
    if (rekeyRows())
        return m_rows[std::size_t(row)].position;
    if (m_refillDepth == 0)
        SetEditFrm(m_date, false);
    return std::nullopt;
}

void DayEditor::reloadRow(int row)
{
    const std::optional<int> position = recordPosition(row);
    Recordset* rs = schedules();
    if (!position || !rs)
        return;
    rs->SetAbsolutePosition(*position);
    m_rows[std::size_t(row)] = rowFromCurrentRecord(*rs);
}

bool DayEditor::storedMessageEmpty(int row)
{
    const std::optional<int> position = recordPosition(row);
    Recordset* rs = schedules();
    if (!position || !rs)
        return true;
    rs->SetAbsolutePosition(*position);
    return rs->GetValue(f::Message).toString().isEmpty();
}

void DayEditor::paintSelectedRow()
{
    if (m_selected < 0 || m_selected >= int(m_rows.size()))
        return;
    EditorRow& row = m_rows[std::size_t(m_selected)];
    row.icon = EditorKinds()[std::size_t(m_form.kindIndex)].icon;
    row.colorCode = m_form.color ? PreviewColorCode(m_form.colorIndex) : 0;
}

void DayEditor::previewRule()
{
    if (m_selected < 0 || m_selected >= int(m_rows.size()) || m_form.equinox)
        return;
    m_rows[std::size_t(m_selected)].dateLabel = RulePreviewLabel(m_form, m_date);
}

// --- Saving --------------------------------------------------------------------

void DayEditor::reportWriteFailure(const EngineError& error, bool whileTyping)
{
    // Typing tries again at every key: the user hears of it once, until a
    // write goes through.
    if (whileTyping && m_failureShown)
        return;
    m_failureShown = true;
    const ScheduleDatabase* database = m_context.database();
    ask(WriteFailureText(error, database ? database->path() : QString()), MsgBoxStyle::Exclamation,
        kWriteErrorTitle);
}

void DayEditor::cancelQuietly(Recordset& rs)
{
    try {
        if (rs.GetEditMode() != EditMode::None)
            rs.CancelUpdate();
    } catch (const EngineError&) {
        // The file is gone from under us: nothing is pending any more.
    }
}

bool DayEditor::textTooLong(Recordset& rs, const EngineError& error) const
{
    if (error.code() != EngineErrorCode::FieldTooSmall)
        return false;
    const int size = rs.Size(f::Message);
    const qsizetype bytes = AnsiByteLength(m_form.text);
    if (bytes <= size)
        return false;
    ask(MessageTooLongText(size, bytes), MsgBoxStyle::OkOnly + MsgBoxStyle::Exclamation,
        kSaveTitle);
    if (m_textRefused)
        m_textRefused();
    return true;
}

bool DayEditor::SaveItem(QDate day)
{
    if (m_rows.empty() || (EditIndex == 0 && !editing()))
        return false;
    if (EditIndex == 0)
        EditIndex = m_selected + 1;
    return saveRow(EditIndex - 1, day);
}

bool DayEditor::selectedIsMirror() const
{
    ScheduleDatabase* database = m_context.database();
    if (!editing() || !database)
        return false;
    try {
        return IsMirrorRecord(database->database(), m_rows[std::size_t(m_selected)].recordId);
    } catch (const EngineError&) {
        return false;
    }
}

bool DayEditor::refusedAsMirror(int row)
{
    ScheduleDatabase* database = m_context.database();
    if (!database || row < 0 || row >= int(m_rows.size()))
        return false;
    try {
        if (!IsMirrorRecord(database->database(), m_rows[std::size_t(row)].recordId))
            return false;
    } catch (const EngineError&) {
        return false;
    }
    ask(MirrorNote, MsgBoxStyle::Information, EditorTitle);
    return true;
}

bool DayEditor::saveRow(int row, QDate day)
{
    if (refusedAsMirror(row)) {
        // The server's dates stay as they are; the panel shows them again.
        Changed = false;
        if (row == m_selected)
            ShowItem();
        return false;
    }
    // Looking the record up may read the day again, which resets the panel.
    const ScheduleForm typed = m_form;
    const bool typing = Changed;
    const std::optional<int> position = recordPosition(row);
    Recordset* rs = schedules();
    if (!rs)
        return false;
    if (!position)
        return typing && saveAsNewRecord(typed, day);
    rs->SetAbsolutePosition(*position);
    try {
        rs->Edit();
        WriteScheduleForm(*rs, m_form, day);
        rs->Update();
    } catch (const EngineError& error) {
        cancelQuietly(*rs);
        if (!textTooLong(*rs, error))
            reportWriteFailure(error);
        return false;
    }
    m_rows[std::size_t(row)] = rowFromCurrentRecord(*rs);
    if (m_rows[std::size_t(row)].recordId == m_freshRecordId)
        m_freshRecordId = 0; // saved by the user: kept from now on
    emit m_context.events().alarmScanRequested();
    ShowItem();
    afterWrite();
    return true;
}

bool DayEditor::saveAsNewRecord(const ScheduleForm& typed, QDate day)
{
    Recordset* rs = schedules();
    if (!rs)
        return false;
    try {
        rs->AddNew();
        WriteScheduleForm(*rs, typed, day);
        rs->Update();
    } catch (const EngineError& error) {
        cancelQuietly(*rs);
        reportWriteFailure(error);
        return false;
    }
    rs->MoveLast();
    const qint64 saved = rs->RecordIdAt(rs->AbsolutePosition());
    SetEditFrm(m_date, false);
    for (int i = 0; i < int(m_rows.size()); ++i) {
        if (m_rows[std::size_t(i)].recordId == saved) {
            m_selected = i;
            ShowItem();
        }
    }
    emit m_context.events().alarmScanRequested();
    afterWrite();
    return true;
}

void DayEditor::afterWrite()
{
    redrawCalendarAndViewer();
    m_context.alarms.AlarmBeeped = false;
    m_context.alarms.AlarmSounded = false;
    Changed = false;
    m_failureShown = false;
}

void DayEditor::redrawCalendarAndViewer()
{
    const QString& month = m_context.DisplayMonth;
    const ViewerLink& viewer = m_context.viewer;
    if (viewer.visible) {
        emit m_context.events().viewerRefreshRequested();
        const QDate shown = m_context.displayMonthDate();
        if (shown.isValid() && shown.year() == viewer.ListViewYear &&
            shown.month() == viewer.ListViewMonth)
            emit m_context.events().drawCalendarRequested(month);
    } else if (!month.isEmpty()) {
        emit m_context.events().drawCalendarRequested(month);
    }
}

// --- Creating ------------------------------------------------------------------

void DayEditor::NewSchedule()
{
    Recordset* rs = schedules();
    if (!rs)
        return;
    try {
        rs->AddNew();
        rs->SetValue(f::Message, QString());
        rs->SetValue(f::Type, 0);
        rs->SetValue(f::Year, m_date.year());
        rs->SetValue(f::Month, m_date.month());
        rs->SetValue(f::Day, m_date.day());
        rs->Update();
    } catch (const EngineError& error) {
        cancelQuietly(*rs);
        reportWriteFailure(error);
        return;
    }
    rs->MoveLast();
    EditorRow row = rowFromCurrentRecord(*rs);
    m_freshRecordId = row.recordId;
    row.dateLabel = m_choices.years.value(0) + m_choices.months.value(0) + m_choices.days.value(0);
    row.icon = 1;
    m_rows.push_back(row);
    m_selected = int(m_rows.size()) - 1;

    const bool changed = Changed;
    resetPanel();
    Changed = changed;
}

void DayEditor::EnsureItem(bool whileTyping)
{
    Recordset* rs = schedules();
    if (editing() || !rs)
        return;
    // One write: the record appears with every field of the panel or not
    // at all.
    try {
        rs->AddNew();
        WriteScheduleForm(*rs, m_form, m_date);
        rs->Update();
    } catch (const EngineError& error) {
        cancelQuietly(*rs);
        if (!textTooLong(*rs, error))
            reportWriteFailure(error, whileTyping);
        return;
    }
    rs->MoveLast();
    m_rows.push_back(rowFromCurrentRecord(*rs));
    m_freshRecordId = m_rows.back().recordId;
    m_selected = int(m_rows.size()) - 1;
    EditIndex = m_selected + 1;
    showStatusOfCurrentRecord(*rs);
    emit m_context.events().alarmScanRequested();
    afterWrite();
    paintSelectedRow();
    Changed = true;
}

// --- The user's edits --------------------------------------------------------

void DayEditor::textEdited(const QString& text)
{
    m_form.text = text;
    Changed = true;
    if (m_selected >= 0 && m_selected < int(m_rows.size()))
        m_rows[std::size_t(m_selected)].text = text;
    if (!editing() && !text.isEmpty())
        EnsureItem(true);
}

void DayEditor::rowChosen(int row)
{
    if (row < 0 || row >= int(m_rows.size()) || row == m_selected)
        return;
    if (!Changed || !editing()) {
        m_selected = row;
        ShowItem();
        return;
    }
    const int previous = m_selected;
    const qint64 chosen = m_rows[std::size_t(row)].recordId;
    switch (askToSave()) {
    case MsgBoxResult::Yes:
        EditIndex = previous + 1;
        if (!saveRow(previous, m_date))
            return; // the pending text stays on its row
        break;
    case MsgBoxResult::No:
        discardChanges(previous);
        break;
    default:
        return; // Cancel: the row being edited stays selected
    }
    // A discarded new schedule leaves the list: find the chosen row anew.
    for (int i = 0; i < int(m_rows.size()); ++i) {
        if (m_rows[std::size_t(i)].recordId == chosen) {
            m_selected = i;
            ShowItem();
            return;
        }
    }
}

void DayEditor::kindChosen(int kindIndex)
{
    if (kindIndex != kind_index::Holiday)
        m_form.equinox = false;
    ApplyKindRules(kindIndex, m_form, m_panel);
    if (editing()) {
        // The kind is saved with the schedule, so a new kind is a change
        // to keep like any other.
        Changed = true;
        previewRule();
        paintSelectedRow();
    }
}

void DayEditor::yearChoiceChosen(int index)
{
    ruleChoiceChosen(m_form.yearChoice, index);
}

void DayEditor::monthChoiceChosen(int index)
{
    ruleChoiceChosen(m_form.monthChoice, index);
}

void DayEditor::dayChoiceChosen(int index)
{
    ruleChoiceChosen(m_form.dayChoice, index);
}

void DayEditor::ruleChoiceChosen(int& choice, int index)
{
    choice = index;
    // A rule picked by hand is no longer the computed equinox day.
    m_form.equinox = false;
    if (editing()) {
        Changed = true;
        previewRule();
    }
}

void DayEditor::firstDateEdited(std::optional<QDate> date)
{
    m_form.firstDate = date.value_or(QDate());
    // A first day after the last one would leave the rule no day: the last
    // day follows.
    if (m_form.firstDate.isValid() && m_form.lastDate.isValid() &&
        m_form.lastDate < m_form.firstDate)
        m_form.lastDate = m_form.firstDate;
    boundEdited();
}

void DayEditor::lastDateEdited(std::optional<QDate> date)
{
    m_form.lastDate = date.value_or(QDate());
    if (m_form.firstDate.isValid() && m_form.lastDate.isValid() &&
        m_form.firstDate > m_form.lastDate)
        m_form.firstDate = m_form.lastDate;
    boundEdited();
}

void DayEditor::boundEdited()
{
    if (editing()) {
        Changed = true;
        previewRule();
    }
}

void DayEditor::timeRangeToggled(bool checked)
{
    m_form.timeRange = checked;
    m_form.startTime = m_form.endTime = QTime(0, 0);
    m_form.startSet = m_form.endSet = true;
    EnsureItem();
    UpdateOptionControls(m_form, m_panel);
    Changed = true;
}

void DayEditor::startTimeEdited(QTime time)
{
    m_form.startTime = time;
    m_form.startSet = true;
    Changed = true;
}

void DayEditor::endTimeEdited(QTime time)
{
    m_form.endTime = time;
    m_form.endSet = true;
    Changed = true;
}

void DayEditor::alarmToggled(bool checked)
{
    m_form.alarm = checked;
    m_form.alarmTime = ProposedAlarmTime(m_date, m_context.clock().now());
    EnsureItem();
    UpdateOptionControls(m_form, m_panel);
    Changed = true;
}

void DayEditor::alarmTimeEdited(QTime time)
{
    m_form.alarmTime = time;
    Changed = true;
}

void DayEditor::colorToggled(bool checked)
{
    m_form.color = checked;
    m_form.colorIndex = DefaultColorIndex(m_date);
    EnsureItem();
    UpdateOptionControls(m_form, m_panel);
    paintSelectedRow();
    Changed = true;
}

void DayEditor::colorChosen(int colorIndex)
{
    m_form.colorIndex = colorIndex;
    // Without a row the choice would belong to no record: create the
    // schedule as the other option boxes do.
    EnsureItem();
    UpdateOptionControls(m_form, m_panel);
    paintSelectedRow();
    Changed = true;
}

void DayEditor::markToggled(bool checked)
{
    m_form.mark = checked;
    m_form.markIndex = 0;
    UpdateOptionControls(m_form, m_panel);
    Changed = true;
}

void DayEditor::markChosen(int markIndex)
{
    m_form.markIndex = markIndex;
    Changed = true;
}

void DayEditor::birthYearEdited(int year)
{
    m_form.birthYear = year;
    Changed = true;
}

void DayEditor::birthPersonEdited(const QString& person)
{
    m_form.birthPerson = person;
    Changed = true;
    if (!person.isEmpty())
        textEdited(BirthdayMessage(person));
    EnsureItem();
}

// --- Commands ----------------------------------------------------------------

void DayEditor::MNU_F_N_Click()
{
    EditIndex = editing() ? m_selected + 1 : 0;
    if (editing() && Changed) {
        switch (askToSave()) {
        case MsgBoxResult::Yes:
            if (!SaveItem(m_date))
                return;
            break;
        case MsgBoxResult::No:
            discardChanges(EditIndex - 1);
            break;
        default:
            return; // Cancel keeps the pending changes
        }
    }
    NewSchedule();
    ShowItem();
    Changed = true;
}

bool DayEditor::MNU_F_S_Click()
{
    if (!Changed || !editing())
        return true;
    EditIndex = m_selected + 1;
    return SaveItem(m_date);
}

bool DayEditor::MNU_F_A_Click()
{
    if (!Changed)
        return false;
    return MNU_F_S_Click();
}

void DayEditor::DeleteItemData(bool askFirst)
{
    if (!editing()) {
        if (askFirst) {
            ask(m_rows.empty() ? QStringLiteral("予定がありません。") : kChooseToDelete,
                MsgBoxStyle::Information, kDeleteTitle);
        }
        return;
    }
    const int row = m_selected;
    if (!recordPosition(row))
        return;
    if (askFirst &&
        ask(ScheduleDeleteQuestion(m_form.text), MsgBoxStyle::YesNo + MsgBoxStyle::Exclamation,
            kDeleteTitle) != MsgBoxResult::Yes)
        return;
    removeRowRecord(row);
}

bool DayEditor::removeRowRecord(int row)
{
    if (refusedAsMirror(row))
        return false;
    // A question before this may have let other windows run: the record is
    // looked up now.
    const std::optional<int> current = recordPosition(row);
    Recordset* rs = schedules();
    if (!current || !rs)
        return false;
    rs->SetAbsolutePosition(*current);
    try {
        rs->Delete();
    } catch (const EngineError& error) {
        reportWriteFailure(error);
        return false;
    }
    // Later records moved down by one: the alarm list follows them instead
    // of being scanned again.
    m_context.alarms.recordDeleted(*current);
    m_form.timeRange = m_form.alarm = m_form.color = m_form.mark = false;
    SetEditFrm(m_date, false);
    redrawCalendarAndViewer();
    return true;
}

void DayEditor::discardChanges(int row)
{
    if (row >= 0 && row < int(m_rows.size())) {
        if (m_freshRecordId != 0 && m_rows[std::size_t(row)].recordId == m_freshRecordId) {
            // The schedule exists only because typing began it: No takes
            // it away again, with its alarm entry and its day's mark.
            removeRowRecord(row);
        } else {
            reloadRow(row);
            if (row == m_selected)
                ShowItem(); // the stored text, not the one discarded
        }
    }
    Changed = false;
}

bool DayEditor::settlePendingChanges(QDate saveDay)
{
    if (!Changed || !editing())
        return true;
    switch (askToSave()) {
    case MsgBoxResult::Yes:
        EditIndex = 0;
        return SaveItem(saveDay);
    case MsgBoxResult::No:
        discardChanges(m_selected);
        return true;
    default:
        return false; // Cancel: stay on the day with the pending changes
    }
}

bool DayEditor::dateChanged(QDate newDate)
{
    if (newDate == ShownDate)
        return false;
    if (!settlePendingChanges(ShownDate))
        return false;
    ShownDate = newDate;
    Changed = false;
    return true;
}

bool DayEditor::openDay(QDate editDate, bool fromViewer)
{
    if (!settlePendingChanges(m_date))
        return false;
    showDay(editDate, fromViewer);
    return true;
}

void DayEditor::showDay(QDate editDate, bool fromViewer)
{
    SetEditFrm(editDate, fromViewer);
    // Unless another window pointed at one of the day's schedules, typing
    // starts a new one: a schedule is changed only after the user chose
    // its row.
    if (!m_rowAskedFor)
        offerNewSchedule();
}

void DayEditor::offerNewSchedule()
{
    m_selected = -1;
    EditIndex = 0;
    m_status4.clear();
    m_status5.clear();
    resetPanel();
    Changed = false;
}

bool DayEditor::Form_Unload()
{
    if (Changed && !editing() && !m_form.text.isEmpty()) {
        // Typed while the file refused every write: the text lives only
        // on screen, and closing must not lose it unasked.
        switch (askToSave()) {
        case MsgBoxResult::Yes:
            EnsureItem();
            return editing();
        case MsgBoxResult::No:
            resetPanel();
            Changed = false;
            return true;
        default:
            return false;
        }
    }
    if (!Changed || !editing())
        return true;
    // Only a schedule that never had text goes without a question; one
    // whose text the user emptied, or whose first line alone is empty, is
    // asked about like any other.
    const int row = m_selected;
    if (m_form.text.isEmpty() && storedMessageEmpty(row)) {
        DeleteItemData(false);
        return true;
    }
    switch (askToSave()) {
    case MsgBoxResult::Yes:
        EditIndex = 0;
        return SaveItem(m_date);
    case MsgBoxResult::No:
        // The window is kept for the next opening: nothing of the text
        // the user turned down may stay behind to be asked about again.
        discardChanges(row);
        return true;
    default:
        return false;
    }
}

} // namespace morvane
