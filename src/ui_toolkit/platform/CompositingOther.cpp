#include "ui_toolkit/platform/Compositing.h"

#include <QGuiApplication>

namespace morvane {

bool X11HasCompositingManager()
{
    return true;
}

bool ArgbWindowsAvailable()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("offscreen")) &&
           !QGuiApplication::platformName().startsWith(QLatin1String("minimal"));
}

bool ScreenIsComposited()
{
    return ArgbWindowsAvailable();
}

class CompositorWatch::Filter
{};

CompositorWatch::CompositorWatch(QObject* parent)
    : QObject(parent), m_composited(ScreenIsComposited())
{}

CompositorWatch::~CompositorWatch() = default;

void CompositorWatch::recheck() {}

} // namespace morvane
