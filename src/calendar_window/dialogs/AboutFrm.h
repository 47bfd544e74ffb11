#pragma once

#include <QDialog>
#include <QPixmap>

class QLabel;
class QPushButton;

namespace morvane {

class AppContext;
class LinkLabel;
class ShadowedTitle;

// "モルヴァのバージョン情報": the program's name, version, how many
// schedules and memos the data file holds, and the program's web page.
class AboutFrm : public QDialog
{
    Q_OBJECT

public:
    explicit AboutFrm(AppContext& context, QWidget* parent = nullptr);

    ShadowedTitle* Label1; // product name
    ShadowedTitle* Label2; // version
    QLabel* Label6;        // schedule count
    QLabel* Label7;        // memo count
    LinkLabel* Label4;     // web address
    QLabel* Image1;        // program icon
    QPushButton* Command1; // OK

    // The web page shown and opened by Label4.
    static QString WebAddress();
    // The program's 48-point icon drawn for a screen of pixel ratio ratio.
    static QPixmap ProgramIcon(qreal ratio);

    void done(int result) override;

private:
    void openWebAddress();

    AppContext& m_context;
    bool m_closed = false;
};

// "予定件数 ：  12件" / "メモ件数 ：  3件".
QString ScheduleCountText(int count);
QString MemoCountText(int count);

} // namespace morvane
