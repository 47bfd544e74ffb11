#include "ui_toolkit/platform/Compositing.h"

#include <QByteArray>
#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace morvane {

namespace {

struct FreeReply
{
    void operator()(void* reply) const { std::free(reply); }
};

} // namespace

bool X11HasCompositingManager()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return true;
    xcb_connection_t* connection = x11->connection();

    const QByteArray name = QByteArrayLiteral("_NET_WM_CM_S0");
    const std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> atom(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, static_cast<uint16_t>(name.size()), name.data()),
        nullptr));
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return false; // nobody ever claimed the selection
    const std::unique_ptr<xcb_get_selection_owner_reply_t, FreeReply> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom),
                                      nullptr));
    return owner && owner->owner != XCB_WINDOW_NONE;
}

} // namespace morvane
