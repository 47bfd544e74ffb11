#include "calendar_window/window/CellLabel.h"

#include "ui_toolkit/Twips.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace morvane {

void CellLabel::setCaption(const QString& caption)
{
    m_caption = caption;
    fitToCaption();
}

void CellLabel::setFont(const QFont& font)
{
    m_givenFont = font;
    setFittedFont(font);
}

void CellLabel::setFittedFont(const QFont& font)
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

QPoint CellLabel::textOrigin(const QRect& rect, const QString& text) const
{
    int left = rect.left();
    if (!m_autoSize)
        left += (rect.width() - QFontMetrics(m_font).horizontalAdvance(text)) / 2;
    return {left, rect.top() + baselineOffset(m_font)};
}

QRect CellLabel::textInk(const QRect& rect, const QStringList& texts) const
{
    // Drawn, not taken from the font's metrics: glyph boxes are whole-pixel
    // guesses that can be a pixel off either way, and a pixel is all the
    // grid has to spare.
    const QFontMetrics metrics(m_font);
    int widest = 0;
    for (const QString& text : texts)
        widest = std::max(widest, metrics.horizontalAdvance(text));
    const int margin = QFontInfo(m_font).pixelSize() + 2;
    QImage canvas(rect.width() + widest + 2 * margin, rect.height() + 2 * margin,
                  QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    const QPoint shift(margin - rect.left(), margin - rect.top());
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setFont(m_font);
        painter.setPen(Qt::black);
        for (const QString& text : texts)
            painter.drawText(textOrigin(rect, text) + shift, text);
    }
    int left = canvas.width();
    int right = -1;
    int top = canvas.height();
    int bottom = -1;
    for (int y = 0; y < canvas.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        for (int x = 0; x < canvas.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0)
        return {};
    return QRect(QPoint(left, top), QPoint(right, bottom)).translated(-shift);
}

void CellLabel::fitToCaption()
{
    if (!m_autoSize)
        return;
    m_geometry.setSize(measure(m_caption, m_font));
}

} // namespace morvane
