#pragma once

#include <QDialog>
#include <array>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace morvane {

class AppContext;
class DateTimePicker;

// "モルヴァ - アラーム": the schedule whose alarm was raised, with its date
// rule and alarm time, its kind icon and its text, which the user may edit.
// OK (also Enter, and Escape) acknowledges the alarm, and may delete the
// schedule, set a new alarm time or move it to another date. The close box
// only hides the window: the alarm comes back at the next tick.
//
// The window stays on the record it was filled for, found by the record's
// id, even when the alarm list is rebuilt while it is open.
class AlarmMsgFrm : public QDialog
{
    Q_OBJECT

public:
    explicit AlarmMsgFrm(AppContext& context, QWidget* parent = nullptr);
    ~AlarmMsgFrm() override;

    QLabel* Image1;
    QLabel* Label2;
    QPlainTextEdit* Text1;
    // 0 delete, 1 ring again, 2 move the date.
    std::array<QCheckBox*, 3> Check1{};
    DateTimePicker* DTPicker1; // the new alarm time
    DateTimePicker* DTPicker2; // the new date
    QPushButton* Command1;

    // How the window comes up: raised by the tick, it shows on top without
    // taking the keys from the window the user is typing in; opened by the
    // user (the flashing tray icon), it is activated with OK focused, so
    // Enter and Escape act on the alarm and never on a window behind it.
    enum class Showing
    {
        Raised,
        Opened,
    };

    // Fills the window for the alarm at AlarmIndex and shows it on top.
    // False (and nothing shown) when that entry no longer holds its record;
    // the list is then rescanned.
    bool SetAlarmMsg(Showing how = Showing::Opened);

    void Check1_Click(int index);
    void Command1_Click();
    void Form_Activate();
    void Form_Unload();

    // Id of the record shown; 0 before the first fill.
    qint64 recordId() const { return m_recordId; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void Form_Load();
    void unload();

    AppContext& m_context;
    qint64 m_recordId = 0;
};

} // namespace morvane
