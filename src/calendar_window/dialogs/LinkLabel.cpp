#include "calendar_window/dialogs/LinkLabel.h"

#include <QMouseEvent>

namespace morvane {

LinkLabel::LinkLabel(const QString& address, QWidget* parent) : QLabel(address, parent)
{
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setHighlighted(false);
}

void LinkLabel::setHighlighted(bool highlighted)
{
    m_highlighted = highlighted;
    QFont underlined = font();
    underlined.setUnderline(highlighted);
    setFont(underlined);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, highlighted ? QColor(0, 0, 255) : QColor(0, 0, 0));
    setPalette(colours);
}

void LinkLabel::enterEvent(QEnterEvent* event)
{
    setHighlighted(true);
    QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event)
{
    setHighlighted(false);
    QLabel::leaveEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    QLabel::mouseReleaseEvent(event);
}

} // namespace morvane
