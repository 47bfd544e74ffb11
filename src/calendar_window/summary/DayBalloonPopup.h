#pragma once

#include "calendar_window/summary/DayBalloonText.h"

#include <QFrame>

class QLabel;
class QVBoxLayout;

namespace morvane {

// The balloon window itself: an information icon and a bold title line
// over the body, in the colours of the desktop's tooltips. Line breaks of
// the body are kept; a separator line of the text is drawn as a rule across
// the balloon, so it spans the messages whatever width the font gives "─".
class DayBalloonPopup : public QFrame
{
    Q_OBJECT

public:
    DayBalloonPopup();

    void setText(const DayBalloonText& text);
    // Shows the balloon below the pointer at globalPos, kept on its screen.
    void showAt(const QPoint& globalPos);

    // The texts of the body's blocks as shown, separators left out.
    QStringList blocks() const;

private:
    QLabel* m_icon;
    QLabel* m_title;
    QWidget* m_body;
    QVBoxLayout* m_bodyLayout;
};

} // namespace morvane
