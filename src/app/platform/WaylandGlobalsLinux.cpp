#include "app/WaylandGlobals.h"

#include <wayland-client.h>

namespace morvane {

namespace {

void announce(void* data, wl_registry*, uint32_t, const char* interface, uint32_t)
{
    static_cast<QStringList*>(data)->append(QString::fromLatin1(interface));
}

void withdraw(void*, wl_registry*, uint32_t) {}

const wl_registry_listener kListener = {announce, withdraw};

} // namespace

QStringList WaylandGlobalInterfaces()
{
    QStringList interfaces;
    // Only the compositor this session names: without WAYLAND_DISPLAY the
    // library would try a default socket that may belong to another.
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return interfaces;
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr)
        return interfaces;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kListener, &interfaces);
    if (wl_display_roundtrip(display) < 0)
        interfaces.clear();
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return interfaces;
}

} // namespace morvane
