#include "ui_toolkit/platform/DesktopLayer.h"

namespace morvane {

void PrepareDesktopLayer() {}

bool DesktopLayerAvailable()
{
    return false;
}

void KeepOnDesktopLayer(QWidget*, bool) {}

void SetDesktopLayerAbove(QWidget*, bool) {}

bool HeldPointerKeepsPressOrigin()
{
    return false;
}

bool IsOnDesktopLayer(const QWidget*)
{
    return false;
}

} // namespace morvane
