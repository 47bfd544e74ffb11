#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace morvane {

// Geometry of the windows is kept in twips (1/1440 inch) and turned into
// pixels with the primary screen's logical DPI, so layouts follow the user's
// font scaling the way they were designed to.
inline constexpr double TwipsPerInch = 1440.0;

// Twips per pixel at a given logical DPI (15 at 96 DPI, 12 at 120 DPI).
// A non-positive DPI is taken as 96.
double TwipsPerPixelForDpi(double dpi);

// Twips per pixel of the primary screen. Without a screen (no GUI
// application, as in core tests) the 96 DPI value 15 is used.
double TwipsPerPixelX();
double TwipsPerPixelY();

// Conversions, rounded to the nearest whole unit.
int TwipsToPixelsX(double twips);
int TwipsToPixelsY(double twips);
int PixelsToTwipsX(double pixels);
int PixelsToTwipsY(double pixels);

QPoint TwipsToPixels(const QPoint& twips);
QSize TwipsToPixels(const QSize& twips);
// A rectangle given as left, top, width, height in twips.
QRect TwipsToPixels(const QRect& twips);
QPoint PixelsToTwips(const QPoint& pixels);
QSize PixelsToTwips(const QSize& pixels);
QRect PixelsToTwips(const QRect& pixels);

// Size of the primary screen in twips (the whole screen, not the work area).
QSize ScreenSizeTwips();

} // namespace morvane
