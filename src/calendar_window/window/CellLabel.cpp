#include "calendar_window/window/CellLabel.h"

#include "ui_toolkit/Twips.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <cmath>

namespace morvane {

void CellLabel::setCaption(const QString& caption)
{
    m_caption = caption;
    fitToCaption();
}

void CellLabel::setFont(const QFont& font)
{
    m_font = font;
    fitToCaption();
}

void CellLabel::setAutoSize(bool on)
{
    m_autoSize = on;
    fitToCaption();
}

void CellLabel::move(int left, int top)
{
    m_geometry.moveTo(left, top);
}

void CellLabel::move(int left, int top, int width, int height)
{
    m_geometry = QRect(left, top, width, height);
}

QSize CellLabel::measure(const QString& text, const QFont& font)
{
    const QFontMetrics metrics(font);
    const int widthPixels = metrics.horizontalAdvance(text);
    const int heightPixels = QFontInfo(font).pixelSize();
    return {static_cast<int>(std::lround(widthPixels * TwipsPerPixelX())),
            static_cast<int>(std::lround(heightPixels * TwipsPerPixelY()))};
}

int CellLabel::baselineOffset(const QFont& font)
{
    // The share of the em above the baseline in the classic Japanese UI
    // fonts.
    return static_cast<int>(std::lround(QFontInfo(font).pixelSize() * 0.86));
}

void CellLabel::fitToCaption()
{
    if (!m_autoSize)
        return;
    m_geometry.setSize(measure(m_caption, m_font));
}

} // namespace morvane
