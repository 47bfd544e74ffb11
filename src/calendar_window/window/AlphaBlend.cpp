#include "calendar_window/window/AlphaBlend.h"

#include <QImage>
#include <algorithm>

namespace morvane {

namespace {

int BlendByte(int source, int destination, int weight)
{
    // A weight outside 0 to 256 (a hand-edited setting) must not wrap a byte.
    return std::clamp(source + weight * (destination - source) / 256, 0, 255);
}

} // namespace

void AlphaBlendDC(QImage& destination, int x, int y, int width, int height, const QImage& source,
                  int sourceX, int sourceY, int weight)
{
    if (destination.isNull() || source.isNull())
        return;
    if (destination.format() != QImage::Format_RGB32)
        destination = destination.convertToFormat(QImage::Format_RGB32);
    const QImage src = source.format() == QImage::Format_RGB32
                           ? source
                           : source.convertToFormat(QImage::Format_RGB32);

    // Clip the block to both images, moving both origins together.
    if (x < 0) {
        width += x;
        sourceX -= x;
        x = 0;
    }
    if (y < 0) {
        height += y;
        sourceY -= y;
        y = 0;
    }
    if (sourceX < 0) {
        width += sourceX;
        x -= sourceX;
        sourceX = 0;
    }
    if (sourceY < 0) {
        height += sourceY;
        y -= sourceY;
        sourceY = 0;
    }
    width = std::min({width, destination.width() - x, src.width() - sourceX});
    height = std::min({height, destination.height() - y, src.height() - sourceY});
    if (width <= 0 || height <= 0)
        return;

    for (int row = 0; row < height; ++row) {
        auto* out = reinterpret_cast<QRgb*>(destination.scanLine(y + row)) + x;
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(sourceY + row)) + sourceX;
        for (int column = 0; column < width; ++column) {
            const QRgb s = in[column];
            if ((s & 0x00FFFFFFu) == 0)
                continue; // the transparent key
            const QRgb d = out[column];
            out[column] =
                qRgb(BlendByte(qRed(s), qRed(d), weight), BlendByte(qGreen(s), qGreen(d), weight),
                     BlendByte(qBlue(s), qBlue(d), weight));
        }
    }
}

} // namespace morvane
