#pragma once

#include <QWidget>

class QTextBrowser;

namespace morvane {

// The program's help, shipped inside the program as HTML pages and read in
// a window of its own. Topics are paths below the help folder
// ("html/mora2abc.htm").
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows topic and brings the window to the front.
    void showTopic(const QString& topic);
    // The page shown, as a qrc address.
    QUrl currentSource() const;
    QTextBrowser* browser() const { return m_browser; }

protected:
    // Escape closes the window.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTextBrowser* m_browser;
};

// The topic of the calendar's help.
inline constexpr const char* CalendarHelpTopic = "html/mora2abc.htm";

} // namespace morvane
