#pragma once

#include "editor/ScheduleForm.h"

#include <QDate>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace morvane {

class AppContext;
class EngineError;
class Recordset;

// One row of the editor's list: a schedule falling on the shown day.
struct EditorRow
{
    int position = -1;   // AbsolutePosition of the record when the row was made
    qint64 recordId = 0; // tells whether that position still holds it
    QString text;        // "内容": Message, or the live text while edited
    QString dateLabel;   // "予定日"
    int icon = 1;        // TypeImageIndex of the kind
    int colorCode = 0;   // QBColor index of the row's text

    // "k12": the key of the row in the list.
    QString key() const { return QStringLiteral("k") + QString::number(position); }
};

// The day editor without its window: the rows of one day, the panel's
// values, the unsaved-change tracking and every command. The window shows
// what this holds after each call and passes the user's actions in; tests
// drive it directly.
class DayEditor
{
public:
    // The message box: returns the MsgBoxResult of the chosen button.
    using Ask = std::function<int(const QString& text, int style, const QString& title)>;

    explicit DayEditor(AppContext& context);

    void setAsk(Ask ask) { m_ask = std::move(ask); }
    // Called when a save refused the text as too long: the window selects
    // the whole text and focuses it.
    void setTextRefusedHandler(std::function<void()> handler)
    {
        m_textRefused = std::move(handler);
    }

    // --- What the window shows.
    QDate shownDate() const { return m_date; } // DTPicker1
    QString rokuyouCaption() const;            // Label2: "の予定 [大安]"
    const RuleChoices& ruleChoices() const { return m_choices; }
    const std::vector<EditorRow>& rows() const { return m_rows; }
    int selectedRow() const { return m_selected; } // -1 without rows
    const ScheduleForm& form() const { return m_form; }
    const PanelState& panel() const { return m_panel; }
    QString countText() const; // status panel 3: "2件"
    const QString& dayCounterText() const { return m_status4; }
    const QString& occasionText() const { return m_status5; }
    bool hasRows() const { return !m_rows.empty(); }

    // The schedule being edited has unsaved changes.
    bool Changed = false;
    // 1-based row the next save writes; 0 takes the selected row.
    int EditIndex = 0;
    // The day shown before the user changed the date picker.
    QDate ShownDate;

    // Fills the editor for editDate. fromViewer: the viewer asks, and the
    // row of its selected schedule is chosen.
    void SetEditFrm(QDate editDate, bool fromViewer);
    // Another window asks for editDate while this one may hold unsaved
    // changes: asks about them first. False when the user chose to stay.
    bool openDay(QDate editDate, bool fromViewer);
    // Fills the editor for editDate as a user opening the day expects:
    // with no schedule chosen, so that typing starts a new one, unless the
    // caller asked for one of its schedules (the viewer's or the search
    // window's).
    void showDay(QDate editDate, bool fromViewer);
    // Nothing chosen in the list: the panel is clean and typing, or an
    // option box, creates a new schedule.
    void offerNewSchedule();
    // A schedule of the list is chosen for editing.
    bool editing() const { return m_selected >= 0 && m_selected < int(m_rows.size()); }
    // The chosen schedule holds dates of a server event that no schedule
    // can hold: it is shown with MirrorNote and changed on the server only.
    bool selectedIsMirror() const;

    // --- The user's edits.
    void textEdited(const QString& text);
    // The list's selection moved to row (key-up or mouse-up).
    void rowChosen(int row);
    void kindChosen(int kindIndex);
    void yearChoiceChosen(int index);
    void monthChoiceChosen(int index);
    void dayChoiceChosen(int index);
    void timeRangeToggled(bool checked);
    void startTimeEdited(QTime time);
    void endTimeEdited(QTime time);
    void alarmToggled(bool checked);
    void alarmTimeEdited(QTime time);
    void colorToggled(bool checked);
    void colorChosen(int colorIndex);
    void markToggled(bool checked);
    void markChosen(int markIndex);
    void birthYearEdited(int year);
    void birthPersonEdited(const QString& person);
    // "開始日" and "終了日" of a repeating rule; nothing clears the bound. A
    // first day after the last one moves the last one with it, and the
    // other way round.
    void firstDateEdited(std::optional<QDate> date);
    void lastDateEdited(std::optional<QDate> date);

    // --- Commands.
    // New: asks about pending changes, then starts an empty schedule.
    void MNU_F_N_Click();
    // Save; false when the save failed (the user was told why).
    bool MNU_F_S_Click();
    // Save and close: true when the window may close now.
    bool MNU_F_A_Click();
    void DeleteItemData(bool askFirst);
    // The date picker moved to newDate. True: refill with SetEditFrm after
    // the pause; false: the user kept the old day (the picker goes back).
    bool dateChanged(QDate newDate);
    // The window is about to close: true when it may.
    bool Form_Unload();

    // Writes the panel into the record of row EditIndex (the selected row
    // when 0) for the day y/m/d. False when nothing was saved.
    bool SaveItem(QDate day);
    // Loads the selected row's record into the panel.
    void ShowItem();

private:
    Recordset* schedules() const;
    int ask(const QString& text, int style, const QString& title) const;
    // The save question about the pending text: MsgBoxResult.
    int askToSave() const;
    // Before leaving the shown day: the save question when changes are
    // pending (saved for saveDay on Yes). False when the user stays.
    bool settlePendingChanges(QDate saveDay);
    // Yes to the save question, or the user's save: the row's record gets
    // the panel. Failures are told to the user.
    bool saveRow(int row, QDate day);
    // The record of the text being saved went meanwhile (deleted in another
    // window or by a sync): what was typed becomes a new schedule.
    bool saveAsNewRecord(const ScheduleForm& typed, QDate day);
    // Position of row's record, the rows re-keyed when records moved;
    // nothing when the record is gone (the day is refilled then).
    std::optional<int> recordPosition(int row);
    bool rekeyRows();
    EditorRow rowFromCurrentRecord(Recordset& schedules) const;
    void reloadRow(int row);
    // Status panels 4 and 5 of the current record, the panel left alone.
    void showStatusOfCurrentRecord(const Recordset& rs);
    // No to the save question: row goes back to its stored fields, or away
    // with its record when typing created it and it was never saved.
    void discardChanges(int row);
    // Deletes row's record and reads the day again; false when it failed.
    bool removeRowRecord(int row);
    // row stands for a server event's dates: told with MirrorNote.
    bool refusedAsMirror(int row);
    void paintSelectedRow();
    void previewRule();
    void ruleChoiceChosen(int& choice, int index);
    void boundEdited();
    void resetPanel();
    void afterWrite();
    void redrawCalendarAndViewer();
    void NewSchedule();
    // whileTyping: a key asked for it, and a failure already told is not
    // told again.
    void EnsureItem(bool whileTyping = false);
    bool storedMessageEmpty(int row);
    void reportWriteFailure(const EngineError& error, bool whileTyping = false);
    static void cancelQuietly(Recordset& rs);
    // A text too long for its field: told with its byte count.
    bool textTooLong(Recordset& rs, const EngineError& error) const;

    AppContext& m_context;
    Ask m_ask;
    std::function<void()> m_textRefused;
    QDate m_date;
    RuleChoices m_choices;
    std::vector<EditorRow> m_rows;
    int m_selected = -1;
    ScheduleForm m_form;
    PanelState m_panel;
    QString m_status4;
    QString m_status5;
    int m_refillDepth = 0;
    // The caller of SetEditFrm pointed at a schedule of the day.
    bool m_rowAskedFor = false;
    // The record typing or the new command created on the shown day and
    // the user has not saved yet (0: none).
    qint64 m_freshRecordId = 0;
    // A failed write was told and none has gone through since.
    bool m_failureShown = false;
};

// The question texts.
QString ScheduleSaveQuestion(const QString& text);
QString ScheduleDeleteQuestion(const QString& text);
QString MessageTooLongText(int fieldSize, qsizetype byteCount);
inline const QString EditorTitle = QStringLiteral("予定編集");
inline const QString MirrorNote = QStringLiteral(
    "サーバーの予定（繰り返しの規則をこのカレンダーでは表せないため、日付を写しています）。"
    "編集はサーバー側で行ってください。");

} // namespace morvane
