#pragma once

#include "ui_toolkit/ImageList.h"
#include "viewer/ListModel.h"
#include "viewer/ViewerCommands.h"
#include "viewer/ViewerDeletion.h"
#include "viewer/ViewerTree.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QToolBar;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;

namespace morvane {

class AppContext;
class EngineError;
class AboutFrm;
class HelpWindow;
class JumpFrm;
class ListRowsModel;
class SetDateFrm;

// "Morvane [Viewer]": the tree of list kinds on the left, the list of the
// selected kind on the right, the selected entry's text below it. The lists
// themselves are computed without the window (MonthList, AllList, LogList);
// this form shows them and runs the commands.
class ListViewFrm : public QMainWindow
{
    Q_OBJECT

public:
    explicit ListViewFrm(AppContext& context, QWidget* parent = nullptr);
    ~ListViewFrm() override;

    // The month the month list shows; callers set both, then call
    // RefreshListView.
    int ListViewYear = 0;
    int ListViewMonth = 0;

    // Rebuilds the list of the selected tree node and the command states.
    void RefreshListView();

    // Selects the node whose path is fullPath and runs its node click.
    // False when no node has that path.
    bool selectPath(const QString& fullPath);
    QString selectedPath() const;

    // What the list shows.
    const ListModel& list() const;
    // Rows selected in the list, in list order (0-based).
    std::vector<int> selectedRows() const;
    void selectRow(int row);

    // Index (1-based) of the last toolbar button with this key, 0 for none.
    int GetButtonIndex(const QString& key) const;
    QAction* button(const QString& key) const;

    // --- Controls
    QTreeWidget* TreeView1;
    QTreeView* ListView1;
    QWidget* PicBack;
    QPlainTextEdit* Text1;
    QToolBar* Toolbar1;
    QMenu* JumpDropDown; // the j_select button's menu
    QLabel* StatusPanel3;
    QLabel* StatusPanel4;
    QSplitter* PicLine0; // between tree and list
    QSplitter* PicLine1; // between list and detail box

    // --- Menus
    QMenu* MNU_F;
    QAction* MNU_F_N;
    QAction* MNU_F_E;
    QAction* MNU_F_I; // iCalendar export
    QAction* MNU_F_M; // iCalendar import
    QAction* MNU_F_C;
    QAction* MNU_F_X;
    QMenu* MNU_E;
    QAction* MNU_E_E;
    QAction* MNU_E_D;
    QAction* MNU_E_U; // puts back what the last deletion removed
    QAction* MNU_E_K;
    QAction* MNU_E_F;
    QMenu* MNU_V;
    QAction* MNU_V_B;
    QAction* MNU_V_N;
    QAction* MNU_V_J;
    QAction* MNU_V_O;
    QMenu* MNU_H;
    QAction* MNU_H_C;
    QAction* MNU_H_A;

    // --- Commands and events
    void MNU_F_N_Click();
    void MNU_F_E_Click();
    void MNU_F_I_Click();
    void MNU_F_M_Click();
    void MNU_F_X_Click();
    void MNU_E_E_Click();
    // Deletes the selected rows' records (the Del key inside the detail box
    // stays with the box).
    void MNU_E_D_Click();
    // Puts back the records the last deletion removed, with all their fields.
    void MNU_E_U_Click();
    void MNU_E_K_Click();
    void MNU_V_B_Click();
    void MNU_V_N_Click();
    void MNU_V_J_Click();
    void JumpDropDown_Click(const QString& entry);
    void TreeView1_NodeClick(QTreeWidgetItem* node);
    void ListView1_ItemClick();
    void ListView1_DblClick();
    void ColumnHeader_Click(int column);
    // Every change of the detail box is stored at once.
    void Text1_Change();
    // A row's title edited in place (memo list) and a memo node renamed.
    void ListView1_AfterLabelEdit(int row, const QString& newText);
    void TreeView1_AfterLabelEdit(QTreeWidgetItem* node);
    // 1-based position of the selected node among the memo nodes; 0 when
    // the selected node is none of them.
    int FindMemoChildPosition() const;
    // Starts editing the title of a list row in place.
    void editRowTitle(int row);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildLayout();
    void connectDialogs();
    void BuildViewerTree();
    void restorePlacement();
    void storePlacement();

    void showList(ListModel list, int reportIconColumn = -1);
    void showRootView();
    void ShowMonthList(int year, int month, int typeFilter);
    void ShowAllList(int typeFilter);
    void ShowMemoList();
    void ShowLogList();
    void fitStretchColumn();
    // Widens a column to show `text` (with the row icon in column 0) whole.
    void fitColumnToText(int column, const QString& text);
    // The width the tree needs to show its fixed nodes whole.
    int treeContentWidth() const;
    void applySort();
    void setMonthNavigation(bool enabled);
    void applyCommandStates(const QString& path);
    void updateLink();
    // Rows whose record moved away: the list no longer matches the table.
    void staleRow();
    void afterSchedulesChanged();
    QTreeWidgetItem* memoRootNode() const;
    QTreeWidgetItem* addMemoNode(const QString& title);
    QStringList treeNodeTexts() const;
    bool newMemo(bool startTitleEdit);
    void showTextTooLong(int fieldSize);
    void deleteScheduleRows(bool monthList);
    void deleteLogRows();
    void deleteMemoRow();
    // Sets the detail box's text without storing it.
    void setDetailText(const QString& text);
    // Runs a change of the data file. When the file refuses it, says so
    // (the file and the reason) and returns false; the window keeps what the
    // user typed, and the next change that can be written stores it.
    bool tryWrite(const std::function<void()>& write);
    void reportWriteFailure(const EngineError& error);
    // Stores the detail box's texts that the data file refused earlier, each
    // in the record it was typed for, before anything replaces the box's
    // text. False when the file still refuses one; what is left is kept for
    // the next try.
    bool storeUnsavedDetail();
    void rememberDeleted(DeletedRecords deleted);

    AppContext& m_context;
    ImageList m_images;
    ListRowsModel* m_rows;
    QString m_shownPath;
    QString LastNodeText;
    int LastItemIndex = -1;
    bool SuppressTextChange = false;
    SortState m_sort;
    DeletedRecords m_lastDeleted;
    // Texts typed into the detail box that the data file refused, each with
    // the row (and so the record) it belongs to, oldest first.
    struct UnsavedDetail
    {
        ListKind kind;
        ListRow row;
        QString path;
        int rowIndex = -1;
        int year = 0;
        int month = 0;
        int newType = 0;
        QString text;
    };
    std::vector<UnsavedDetail> m_unsavedDetails;
    bool m_sorting = false;
    bool m_placingNode = false; // selecting a node without running its click
    QPointer<JumpFrm> m_jumpFrm;
    QPointer<SetDateFrm> m_setDateFrm;
    QPointer<AboutFrm> m_aboutFrm;
    QPointer<HelpWindow> m_helpWindow;
};

// The path of a tree node: its text and its ancestors' joined with "\".
QString FullPath(const QTreeWidgetItem* node);

} // namespace morvane
