#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace morvane {

class AppContext;

// The first-run window: offers the Japanese holidays and annual events as a
// ready set of schedules. Holidays start ticked. "作成" writes the ticked
// ones and redraws the calendar; "キャンセル" explains how to get the offer
// back; closing the window (or Escape) writes nothing. Enter is "作成".
class NewAppFrm : public QDialog
{
    Q_OBJECT

public:
    explicit NewAppFrm(AppContext& context, QWidget* parent = nullptr);

    QLabel* Label1;
    QGroupBox* Frame1;
    QTreeWidget* ListView1;   // one row per offered schedule, key = template code
    QPushButton* Command1[2]; // 全て選択, 全て解除
    QPushButton* Command2[2]; // 作成, キャンセル

    void selectAll(bool ticked);
    // "作成" without closing: writes the ticked rows in list order and
    // redraws the calendar; the number written.
    int createChecked();
    void cancel();

private:
    AppContext& m_context;
    bool m_createFailed = false;
};

// Shows the first-run window beside the calendar (modeless); it deletes
// itself when closed.
NewAppFrm* ShowNewAppFrm(AppContext& context);

} // namespace morvane
