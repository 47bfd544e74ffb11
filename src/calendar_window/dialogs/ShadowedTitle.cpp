#include "calendar_window/dialogs/ShadowedTitle.h"

#include "ui_toolkit/Twips.h"

#include <QPainter>
#include <algorithm>

namespace morvane {

ShadowedTitle::ShadowedTitle(const QString& text, const QColor& copyColor, int offsetTwips,
                             QWidget* parent)
    : QWidget(parent), m_text(text), m_copyColor(copyColor),
      m_offset(std::max(1, TwipsToPixelsX(offsetTwips)))
{
    setAccessibleName(text);
}

QSize ShadowedTitle::sizeHint() const
{
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(m_text) + m_offset + 2, metrics.height() + m_offset};
}

void ShadowedTitle::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font());
    const QRect area = rect().adjusted(0, 0, -m_offset, -m_offset);
    painter.setPen(m_copyColor);
    painter.drawText(area.translated(m_offset, m_offset), Qt::AlignLeft | Qt::AlignVCenter, m_text);
    painter.setPen(Qt::white);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, m_text);
}

} // namespace morvane
