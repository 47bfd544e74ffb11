#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

namespace morvane {

// One of the calendar's icons (Image1 to Image4): a picture at a place in
// twips, with a fixed size in pixels.
struct IconButton
{
    QImage picture; // drawn for the screen's pixel ratio
    QSize sizePixels;
    QPoint position; // twips
    bool visible = true;
    QString toolTip;
};

} // namespace morvane
