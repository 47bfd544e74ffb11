#include "ui_toolkit/platform/Workspaces.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QWidget>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace morvane {

namespace {

struct FreeReply
{
    void operator()(void* reply) const { std::free(reply); }
};

// _NET_WM_DESKTOP of a window on every desktop.
constexpr uint32_t kAllDesktops = 0xFFFFFFFFu;
// _NET_WM_STATE actions and the source "a normal application".
constexpr uint32_t kStateAdd = 1;
constexpr uint32_t kSourceApplication = 1;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name)
{
    const std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
        nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// A request to the window manager about a mapped window (EWMH).
void SendToRoot(xcb_connection_t* connection, xcb_window_t root, xcb_window_t window,
                xcb_atom_t type, uint32_t first, uint32_t second, uint32_t third)
{
    xcb_client_message_event_t event;
    std::memset(&event, 0, sizeof event);
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = type;
    event.data.data32[0] = first;
    event.data.data32[1] = second;
    event.data.data32[2] = third;
    event.data.data32[3] = kSourceApplication;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
}

} // namespace

void ShowOnAllWorkspaces(QWidget* widget)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection() || !widget)
        return;
    QWidget* top = widget->window();
    if (!top->testAttribute(Qt::WA_WState_Created))
        return;
    xcb_connection_t* connection = x11->connection();
    const auto window = static_cast<xcb_window_t>(top->winId());
    const xcb_atom_t desktop = Atom(connection, "_NET_WM_DESKTOP");
    const xcb_atom_t state = Atom(connection, "_NET_WM_STATE");
    const xcb_atom_t sticky = Atom(connection, "_NET_WM_STATE_STICKY");
    if (desktop == XCB_ATOM_NONE || state == XCB_ATOM_NONE || sticky == XCB_ATOM_NONE)
        return;

    // Before the window is mapped the manager reads the properties; after,
    // it takes requests sent to the root window. Both are done, as the
    // caller cannot always tell which applies.
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, desktop, XCB_ATOM_CARDINAL, 32,
                        1, &kAllDesktops);
    const std::unique_ptr<xcb_get_property_reply_t, FreeReply> current(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, state, XCB_ATOM_ATOM, 0, 64), nullptr));
    bool hasSticky = false;
    if (current && current->format == 32) {
        const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(current.get()));
        const int count = xcb_get_property_value_length(current.get()) / 4;
        for (int i = 0; i < count; ++i)
            hasSticky = hasSticky || atoms[i] == sticky;
    }
    if (!hasSticky) {
        xcb_change_property(connection, XCB_PROP_MODE_APPEND, window, state, XCB_ATOM_ATOM, 32, 1,
                            &sticky);
    }

    const xcb_setup_t* setup = xcb_get_setup(connection);
    const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(setup);
    if (screens.rem > 0 && top->isVisible()) {
        const xcb_window_t root = screens.data->root;
        SendToRoot(connection, root, window, desktop, kAllDesktops, 0, 0);
        SendToRoot(connection, root, window, state, kStateAdd, sticky, 0);
    }
    xcb_flush(connection);
}

} // namespace morvane
