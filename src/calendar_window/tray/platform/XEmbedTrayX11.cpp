#include "calendar_window/tray/platform/XEmbedTray.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QCoreApplication>
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

xcb_connection_t* X11Connection()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* connection, const QByteArray& name)
{
    const std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> reply(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<uint16_t>(name.size()), name.data()),
        nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The selection a tray of the default screen owns. The screen is the one
// the display name picks (":0.1" is screen 1), as for the toolkit.
QByteArray TraySelectionName()
{
    const QByteArray display = qgetenv("DISPLAY");
    const qsizetype dot = display.lastIndexOf('.');
    const qsizetype colon = display.lastIndexOf(':');
    const QByteArray screen = dot > colon ? display.mid(dot + 1) : QByteArrayLiteral("0");
    return "_NET_SYSTEM_TRAY_S" + screen;
}

} // namespace

bool XEmbedTrayPresent()
{
    xcb_connection_t* connection = X11Connection();
    if (!connection) {
        return false;
    }
    const xcb_atom_t selection = Atom(connection, TraySelectionName());
    if (selection == XCB_ATOM_NONE) {
        return false;
    }
    const std::unique_ptr<xcb_get_selection_owner_reply_t, FreeReply> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection),
                                      nullptr));
    return owner && owner->owner != XCB_WINDOW_NONE;
}

// A tray that takes the selection tells every client by a MANAGER message
// to the root window, which the toolkit already listens to.
struct XEmbedTrayWatch::Listener : QAbstractNativeEventFilter
{
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t") {
            return false;
        }
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE) {
            return false;
        }
        const auto* client = static_cast<const xcb_client_message_event_t*>(message);
        if (client->type == manager && client->format == 32 &&
            client->data.data32[1] == selection) {
            appeared();
        }
        return false;
    }

    std::function<void()> appeared;
    xcb_atom_t manager = XCB_ATOM_NONE;
    xcb_atom_t selection = XCB_ATOM_NONE;
};

XEmbedTrayWatch::XEmbedTrayWatch(std::function<void()> appeared)
{
    xcb_connection_t* connection = X11Connection();
    if (!connection) {
        return;
    }
    m_listener = std::make_unique<Listener>();
    m_listener->appeared = std::move(appeared);
    m_listener->manager = Atom(connection, QByteArrayLiteral("MANAGER"));
    m_listener->selection = Atom(connection, TraySelectionName());
    QCoreApplication::instance()->installNativeEventFilter(m_listener.get());
}

XEmbedTrayWatch::~XEmbedTrayWatch()
{
    if (m_listener && QCoreApplication::instance()) {
        QCoreApplication::instance()->removeNativeEventFilter(m_listener.get());
    }
}

} // namespace morvane
