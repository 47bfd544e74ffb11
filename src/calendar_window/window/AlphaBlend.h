#pragma once

class QImage;

namespace morvane {

// Blends a block of source onto destination, in pixels:
//     result = source + weight * (destination - source) / 256
// for each colour byte (integer arithmetic, truncating toward zero). Weight 0
// gives the source, 256 the destination. Black source pixels are the
// transparent key: the destination stays as it is there.
//
// Used with the calendar background as source and the desktop copy as
// destination, so the desktop shows through by weight / 256. The block is
// clipped to both images; destination is converted to 32-bit RGB if needed.
void AlphaBlendDC(QImage& destination, int x, int y, int width, int height, const QImage& source,
                  int sourceX, int sourceY, int weight);

} // namespace morvane
