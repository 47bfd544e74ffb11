#include "ui_toolkit/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace morvane {

namespace {

constexpr double DefaultDpi = 96.0;

QScreen* primaryScreen()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return nullptr;
    return QGuiApplication::primaryScreen();
}

int roundToInt(double value)
{
    return static_cast<int>(std::lround(value));
}

} // namespace

double TwipsPerPixelForDpi(double dpi)
{
    if (!(dpi > 0.0))
        dpi = DefaultDpi;
    return TwipsPerInch / dpi;
}

double TwipsPerPixelX()
{
    const QScreen* screen = primaryScreen();
    return TwipsPerPixelForDpi(screen ? screen->logicalDotsPerInchX() : DefaultDpi);
}

double TwipsPerPixelY()
{
    const QScreen* screen = primaryScreen();
    return TwipsPerPixelForDpi(screen ? screen->logicalDotsPerInchY() : DefaultDpi);
}

int TwipsToPixelsX(double twips)
{
    return roundToInt(twips / TwipsPerPixelX());
}

int TwipsToPixelsY(double twips)
{
    return roundToInt(twips / TwipsPerPixelY());
}

int PixelsToTwipsX(double pixels)
{
    return roundToInt(pixels * TwipsPerPixelX());
}

int PixelsToTwipsY(double pixels)
{
    return roundToInt(pixels * TwipsPerPixelY());
}

QPoint TwipsToPixels(const QPoint& twips)
{
    return {TwipsToPixelsX(twips.x()), TwipsToPixelsY(twips.y())};
}

QSize TwipsToPixels(const QSize& twips)
{
    return {TwipsToPixelsX(twips.width()), TwipsToPixelsY(twips.height())};
}

QRect TwipsToPixels(const QRect& twips)
{
    return {TwipsToPixels(twips.topLeft()), TwipsToPixels(twips.size())};
}

QPoint PixelsToTwips(const QPoint& pixels)
{
    return {PixelsToTwipsX(pixels.x()), PixelsToTwipsY(pixels.y())};
}

QSize PixelsToTwips(const QSize& pixels)
{
    return {PixelsToTwipsX(pixels.width()), PixelsToTwipsY(pixels.height())};
}

QRect PixelsToTwips(const QRect& pixels)
{
    return {PixelsToTwips(pixels.topLeft()), PixelsToTwips(pixels.size())};
}

QSize ScreenSizeTwips()
{
    const QScreen* screen = primaryScreen();
    if (screen == nullptr)
        return {};
    return PixelsToTwips(screen->geometry().size());
}

} // namespace morvane
