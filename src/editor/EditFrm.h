#pragma once

#include "editor/DayEditor.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <array>
#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QToolBar;
class QTreeWidget;

namespace morvane {

class AboutFrm;
class AppContext;
class DateTimePicker;
class HelpWindow;

// "予定編集": the schedules of one day in a list on the left, the fields of
// the selected one on the right, its text below. Every edit goes to the
// DayEditor; the window then shows what the editor holds.
class EditFrm : public QMainWindow
{
    Q_OBJECT

public:
    explicit EditFrm(AppContext& context, QWidget* parent = nullptr);
    ~EditFrm() override;

    DayEditor& editor() { return m_editor; }

    // Shows the day. Pending changes of the day shown are asked about
    // first; false when the user chose to stay on it.
    bool SetEditFrm(QDate editDate, bool viewerFlg);
    // The new and delete commands, also run from the list's popup menu.
    void MNU_F_N_Click();
    void MNU_E_D_Click();
    void DeleteItemData(bool msgFlg);

    // What a right-button release over the list pops up (the calendar's
    // MNU_EDITFRM); set by whoever owns that menu.
    void setListPopup(std::function<void(const QPoint&)> popup) { m_listPopup = std::move(popup); }

    // The date change waits this long before the day is read, so that a
    // quick run through the days reads only the last one.
    void setDateChangeDelay(int milliseconds) { m_dateDelay.setInterval(milliseconds); }
    bool dateChangePending() const { return m_dateDelay.isActive(); }

    // Controls, named as the rest of the program knows them.
    QToolBar* Toolbar1;
    QAction* ToolNew;
    QAction* ToolSaveClose;
    QAction* ToolDelete;
    DateTimePicker* DTPicker1;
    QLabel* Label2;
    QTreeWidget* ListView1;
    QFrame* Picture1;
    QPlainTextEdit* Text1;
    QPushButton* Command1; // "cancel": Escape closes the window
    std::array<QLabel*, 5> StatusPanels{};

    // The detail panel.
    QLabel* Label1;
    QComboBox* ImageCombo1;                     // kind
    QComboBox* Combo1;                          // year
    QComboBox* Combo2;                          // month
    QComboBox* Combo3;                          // day rule
    DateTimePicker* DTPicker3;                  // birth year
    QCheckBox* Check1;                          // time range
    std::array<DateTimePicker*, 3> DTPicker2{}; // start, end, alarm
    QLabel* Label3;
    QCheckBox* Check2;      // alarm
    QCheckBox* Check3;      // colour
    QComboBox* ImageCombo2; // colour list
    QCheckBox* Check4;      // mark
    QComboBox* Combo5;      // mark glyphs
    QLabel* Label4;
    QComboBox* Combo4; // the birthday person
    // The first and last day of a repeating rule, each optional.
    QLabel* Label5;
    DateTimePicker* DTPicker4; // 開始日
    QLabel* Label6;
    // Over the panel while a server event's dates are chosen.
    QLabel* MirrorLabel;
    DateTimePicker* DTPicker5; // 終了日

    // Menus.
    QMenu* MNU_F;
    QAction* MNU_F_N_Action;
    QAction* MNU_F_S_Action;
    QAction* MNU_F_A_Action;
    QAction* MNU_F_C_Action;
    QMenu* MNU_E;
    QAction* MNU_E_D_Action;
    QMenu* MNU_H;
    QAction* MNU_H_C_Action;
    QAction* MNU_H_A_Action;

    // Shows everything the editor holds.
    void refresh();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildBody();
    void buildPanel();
    void buildStatusBar();
    void connectControls();
    void connectPanel();

    void Toolbar1_ButtonClick(QAction* button);
    void MNU_F_S_Click();
    void MNU_F_A_Click();
    void MNU_H_C_Click();
    void MNU_H_A_Click();
    void DTPicker1_Change();
    void dateDelayElapsed();
    void listSelectionMoved();
    void Text1_Change();
    void focusText();
    void selectWholeText();
    void updateClock();

    void refreshList();
    void refreshPanel();
    void refreshStatus();
    void resizeListColumns();
    void placeBody();
    // Runs an edit of the editor, then shows its outcome.
    template <typename Edit> void apply(Edit&& edit);

    AppContext& m_context;
    DayEditor m_editor;
    std::function<void(const QPoint&)> m_listPopup;
    QTimer m_dateDelay;
    QTimer m_clock;
    int m_refreshing = 0;
    QPointer<AboutFrm> m_about;
    QPointer<HelpWindow> m_help;
};

} // namespace morvane
