#pragma once

#include <QDialog>
#include <functional>

class QLineEdit;
class QPushButton;

namespace morvane {

class AppContext;
class UpDown;

// "ジャンプ指定": go to a year and month. Acts on the viewer while it is
// open (the viewer answers through viewerJump), otherwise on the calendar.
// Shown modeless; it goes away on OK or キャンセル.
class JumpFrm : public QDialog
{
    Q_OBJECT

public:
    // viewerJump(year, month) moves the viewer and returns true when the
    // viewer is open; empty or false means the calendar moves.
    JumpFrm(AppContext& context, std::function<bool(int, int)> viewerJump = {},
            QWidget* parent = nullptr);

    QLineEdit* Text1; // year
    QLineEdit* Text2; // month
    UpDown* UpDown1;
    UpDown* UpDown2;
    QPushButton* Command1; // OK
    QPushButton* Command2; // キャンセル

    // OK: checks the boxes and jumps, or tells what is wrong and stays.
    void Command1_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void bind(QLineEdit* text, UpDown* upDown);

    AppContext& m_context;
    std::function<bool(int, int)> m_viewerJump;
    bool m_typing = false; // the buttons follow what is being typed
};

} // namespace morvane
