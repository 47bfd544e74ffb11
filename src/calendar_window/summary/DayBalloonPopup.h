#pragma once

#include "calendar_window/summary/DayBalloonText.h"

#include <QFrame>

class QLabel;

namespace morvane {

// The balloon window itself: an information icon and a bold title line
// over the body, in the colours of the desktop's tooltips. Line breaks of
// the body are kept as they are.
class DayBalloonPopup : public QFrame
{
    Q_OBJECT

public:
    DayBalloonPopup();

    void setText(const DayBalloonText& text);
    // Shows the balloon below the pointer at globalPos, kept on its screen.
    void showAt(const QPoint& globalPos);

private:
    QLabel* m_icon;
    QLabel* m_title;
    QLabel* m_body;
};

} // namespace morvane
