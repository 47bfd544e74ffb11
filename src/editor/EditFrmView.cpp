// Shows what the DayEditor holds: the day, the list, the panel and the
// status bar. Runs after every edit; controls change only where they differ,
// so the text box keeps its cursor while the user types.

#include "calendar_math/DateFormat.h"
#include "context/AppContext.h"
#include "data/records/ScheduleCodes.h"
#include "editor/EditFrm.h"
#include "ui_toolkit/CalendarImages.h"
#include "ui_toolkit/DateTimePicker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeWidget>

namespace morvane {

namespace {

QColor Palette(int code)
{
    return QColor::fromRgba(QBColor(code).value_or(PaletteColor{}).argb());
}

void SetItems(QComboBox* combo, const QStringList& items)
{
    QStringList present;
    for (int i = 0; i < combo->count(); ++i)
        present << combo->itemText(i);
    if (present != items) {
        combo->clear();
        combo->addItems(items);
    }
}

void SetCheck(QCheckBox* check, bool checked, bool enabled)
{
    check->setChecked(checked);
    check->setEnabled(enabled);
}

void SetTime(DateTimePicker* picker, QTime time)
{
    if (picker->shownDateTime().time() != time)
        picker->setTime(time);
}

// An optional day: checked on the bound, or cleared and showing `otherwise`
// greyed, where checking the box starts.
void SetBound(DateTimePicker* picker, QDate bound, QDate otherwise, bool enabled)
{
    if (bound.isValid()) {
        if (picker->date() != bound)
            picker->setDate(bound);
    } else if (picker->isChecked() || picker->shownDateTime().date() != otherwise) {
        picker->setDate(otherwise);
        picker->setChecked(false);
    }
    picker->setEnabled(enabled);
}

// What the empty text box says while typing would start a new schedule.
QString NewSchedulePrompt(bool dayIsEmpty)
{
    return dayIsEmpty ? QStringLiteral("ここに入力すると新しい予定になります。")
                      : QStringLiteral("ここに入力すると新しい予定になります。"
                                       "登録済みの予定を直すときは、上の一覧から選んでください。");
}

} // namespace

void EditFrm::refresh()
{
    ++m_refreshing;
    if (!m_dateDelay.isActive()) {
        if (DTPicker1->date() != m_editor.shownDate())
            DTPicker1->setDate(m_editor.shownDate());
        Label2->setText(m_editor.rokuyouCaption());
    }
    refreshList();
    refreshPanel();
    refreshStatus();
    --m_refreshing;
}

void EditFrm::refreshList()
{
    const std::vector<EditorRow>& rows = m_editor.rows();
    bool sameKeys = ListView1->topLevelItemCount() == int(rows.size());
    for (int i = 0; sameKeys && i < int(rows.size()); ++i) {
        sameKeys = ListView1->topLevelItem(i)->data(0, Qt::UserRole).toString() ==
                   rows[std::size_t(i)].key();
    }
    if (!sameKeys) {
        ListView1->clear();
        for (const EditorRow& row : rows) {
            auto* item = new QTreeWidgetItem(ListView1);
            item->setData(0, Qt::UserRole, row.key());
            item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    const ImageList images = CalendarImageList();
    for (int i = 0; i < int(rows.size()); ++i) {
        const EditorRow& row = rows[std::size_t(i)];
        QTreeWidgetItem* item = ListView1->topLevelItem(i);
        if (item->text(0) != row.text)
            item->setText(0, row.text);
        if (item->text(1) != row.dateLabel)
            item->setText(1, row.dateLabel);
        if (item->data(0, Qt::UserRole + 1).toInt() != row.icon) {
            item->setData(0, Qt::UserRole + 1, row.icon);
            item->setIcon(0, images.icon(row.icon));
        }
        const QColor color = Palette(row.colorCode);
        item->setForeground(0, color);
        item->setForeground(1, color);
    }
    const int selected = m_editor.selectedRow();
    if (selected >= 0 && selected < ListView1->topLevelItemCount()) {
        QTreeWidgetItem* item = ListView1->topLevelItem(selected);
        if (ListView1->currentItem() != item || !item->isSelected())
            ListView1->setCurrentItem(item);
    } else {
        // Nothing chosen: no row stays current either, so a click on any
        // row, the first included, chooses it.
        ListView1->setCurrentItem(nullptr);
        ListView1->clearSelection();
    }
    Text1->setPlaceholderText(selected < 0 ? NewSchedulePrompt(rows.empty()) : QString());
    resizeListColumns();
}

void EditFrm::refreshPanel()
{
    const ScheduleForm& form = m_editor.form();
    const PanelState& panel = m_editor.panel();
    const QDate shown = m_editor.shownDate();

    ImageCombo1->setCurrentIndex(form.kindIndex);
    const RuleChoices& choices = m_editor.ruleChoices();
    SetItems(Combo1, choices.years);
    SetItems(Combo2, choices.months);
    SetItems(Combo3, choices.days);
    Combo1->setCurrentIndex(form.yearChoice);
    Combo2->setCurrentIndex(form.monthChoice);
    Combo3->setCurrentIndex(form.dayChoice);
    Combo1->setEnabled(panel.combo1Enabled);
    Combo2->setEnabled(panel.combo2Enabled);
    Combo3->setEnabled(panel.combo3Enabled);

    DTPicker3->setVisible(panel.birthYearVisible);
    const int birthYear = form.birthYear > 0 ? form.birthYear : shown.year();
    if (DTPicker3->year() != birthYear)
        DTPicker3->setDate(QDate(birthYear, 1, 1));
    Label4->setVisible(panel.personVisible);
    Combo4->setVisible(panel.personVisible);
    if (Combo4->currentText() != form.birthPerson)
        Combo4->setEditText(form.birthPerson);

    SetCheck(Check1, form.timeRange, panel.check1Enabled);
    DTPicker2[0]->setVisible(panel.timeRangeVisible);
    Label3->setVisible(panel.timeRangeVisible);
    DTPicker2[1]->setVisible(panel.timeRangeVisible);
    SetTime(DTPicker2[0], form.startTime);
    SetTime(DTPicker2[1], form.endTime);

    SetCheck(Check2, form.alarm, panel.check2Enabled);
    DTPicker2[2]->setVisible(panel.alarmTimeVisible);
    SetTime(DTPicker2[2], form.alarmTime);

    SetCheck(Check3, form.color, panel.check3Enabled);
    Check3->setText(panel.check3Caption);
    ImageCombo2->setVisible(panel.colorListVisible);
    ImageCombo2->setEnabled(panel.colorListEnabled);
    ImageCombo2->setCurrentIndex(form.colorIndex);

    SetCheck(Check4, form.mark, panel.check4Enabled);
    Check4->setVisible(panel.check4Visible);
    Combo5->setVisible(panel.markListVisible);
    Combo5->setEnabled(panel.markListVisible);
    Combo5->setCurrentIndex(form.markIndex);
    QPalette markColors = Combo5->palette();
    markColors.setColor(QPalette::Text, Palette(panel.markPreviewCode));
    markColors.setColor(QPalette::ButtonText, Palette(panel.markPreviewCode));
    Combo5->setPalette(markColors);

    // Only a rule of more than one day has a first and a last day.
    const bool repeats = RuleRepeats(form);
    Label5->setEnabled(repeats);
    Label6->setEnabled(repeats);
    SetBound(DTPicker4, form.firstDate, shown, repeats);
    SetBound(DTPicker5, form.lastDate, form.firstDate.isValid() ? form.firstDate : shown, repeats);

    // A server event's dates: shown, explained, not edited here.
    const bool mirror = m_editor.selectedIsMirror();
    MirrorLabel->setVisible(mirror);
    if (mirror)
        MirrorLabel->raise();
    Picture1->setEnabled(!mirror);
    Text1->setReadOnly(mirror);

    if (Text1->toPlainText() != form.text) {
        // Another schedule's text: carry on writing at its end.
        Text1->setPlainText(form.text);
        Text1->moveCursor(QTextCursor::End);
    }
}

void EditFrm::refreshStatus()
{
    StatusPanels[2]->setText(m_editor.countText());
    StatusPanels[3]->setText(m_editor.dayCounterText());
    StatusPanels[4]->setText(m_editor.occasionText());
    updateClock();
}

void EditFrm::updateClock()
{
    const QDateTime now = m_context.clock().now();
    StatusPanels[0]->setText(FormatDateTime(now, u"yyyy/mm/dd"));
    StatusPanels[1]->setText(FormatDateTime(now, u"h:nn"));
}

} // namespace morvane
