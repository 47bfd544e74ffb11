#pragma once

#include "search/SearchRows.h"

#include <QDialog>
#include <array>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace morvane {

class AppContext;
class DateTimePicker;
class Recordset;

// "予定の検索": a piece of text, an optional date range and a kind; the
// matches are listed with their date rule, and a double click opens the day
// editor on the match's date. Shown without being modal; closing it unloads
// it (it deletes itself), so the next request starts from fresh criteria.
class FindFrm : public QDialog
{
    Q_OBJECT

public:
    explicit FindFrm(AppContext& context, QWidget* parent = nullptr);
    ~FindFrm() override;

    // Index 0 runs the search, 1 closes the window.
    void Command1_Click(int index);
    // Opens the selected result in the editor.
    void ListView1_DblClick();

    const std::vector<SearchRow>& rows() const { return m_rows; }

    // Controls, named as the rest of the program knows them.
    QLabel* Label2;
    QLineEdit* Text1;
    QLabel* Label1;
    std::array<DateTimePicker*, 2> DTPicker1{}; // start, end of the range
    QLabel* Label3;
    QLabel* Label4;
    QComboBox* ImageCombo1;
    std::array<QPushButton*, 2> Command1{}; // 検索開始, キャンセル
    QGroupBox* Frame1;
    QTreeWidget* ListView1;

public slots:
    // Escape, like キャンセル, unloads the window.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void Form_Load();
    void Form_Resize();
    void buildCriteria();
    void buildResults();
    void search();
    void showRows();
    void showRow(int index);
    void setClientHeightTwips(int twips);
    void placeWindow();
    void updateSearchLink();
    Recordset* schedules() const;

    AppContext& m_context;
    std::vector<SearchRow> m_rows;
};

} // namespace morvane
