#include "ui_toolkit/platform/Compositing.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>
#include <xcb/xfixes.h>

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

xcb_screen_t* FirstScreen(xcb_connection_t* connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
}

xcb_atom_t Atom(xcb_connection_t* connection, const QByteArray& name, bool onlyIfExists)
{
    const std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> atom(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, onlyIfExists ? 1 : 0, static_cast<uint16_t>(name.size()),
                        name.data()),
        nullptr));
    return atom ? atom->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

bool IsWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

bool IsX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

} // namespace

bool X11HasCompositingManager()
{
    xcb_connection_t* connection = IsX11() ? X11Connection() : nullptr;
    if (!connection)
        return true;
    const xcb_atom_t atom = Atom(connection, QByteArrayLiteral("_NET_WM_CM_S0"), true);
    if (atom == XCB_ATOM_NONE)
        return false; // nobody ever claimed the selection
    const std::unique_ptr<xcb_get_selection_owner_reply_t, FreeReply> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom),
                                      nullptr));
    return owner && owner->owner != XCB_WINDOW_NONE;
}

bool ArgbWindowsAvailable()
{
    if (IsWayland())
        return true;
    xcb_connection_t* connection = IsX11() ? X11Connection() : nullptr;
    if (!connection)
        return false;
    // A 32-bit true-colour visual is what an ARGB window is made with; the
    // X server offers it with its composite extension, whether or not a
    // compositing manager runs now.
    for (auto depths = xcb_screen_allowed_depths_iterator(FirstScreen(connection)); depths.rem;
         xcb_depth_next(&depths)) {
        if (depths.data->depth != 32)
            continue;
        for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem;
             xcb_visualtype_next(&visuals)) {
            if (visuals.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR)
                return true;
        }
    }
    return false;
}

bool ScreenIsComposited()
{
    if (IsWayland())
        return true;
    if (!IsX11())
        return false;
    return X11HasCompositingManager();
}

// Sees the X server's word about the compositing manager's selection and
// about the root window's wallpaper property among the events Qt reads.
class CompositorWatch::Filter : public QAbstractNativeEventFilter
{
public:
    Filter(CompositorWatch& watch, xcb_connection_t* connection) : m_watch(watch)
    {
        m_selection = Atom(connection, QByteArrayLiteral("_NET_WM_CM_S0"), false);
        m_wallpaper = Atom(connection, QByteArrayLiteral("_XROOTPMAP_ID"), false);
        const xcb_query_extension_reply_t* xfixes = xcb_get_extension_data(connection, &xcb_xfixes_id);
        if (xfixes && xfixes->present) {
            m_xfixesEvent = xfixes->first_event;
            const std::unique_ptr<xcb_xfixes_query_version_reply_t, FreeReply> version(
                xcb_xfixes_query_version_reply(
                    connection, xcb_xfixes_query_version(connection, 5, 0), nullptr));
            xcb_xfixes_select_selection_input(
                connection, FirstScreen(connection)->root, m_selection,
                XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                    XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                    XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
            xcb_flush(connection);
        }
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* /*result*/) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        const uint8_t kind = event->response_type & 0x7F;
        if (m_xfixesEvent && kind == m_xfixesEvent + XCB_XFIXES_SELECTION_NOTIFY) {
            const auto* notify = reinterpret_cast<const xcb_xfixes_selection_notify_event_t*>(event);
            if (notify->selection == m_selection)
                m_watch.recheck();
        } else if (kind == XCB_PROPERTY_NOTIFY) {
            const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
            if (notify->atom == m_wallpaper)
                emit m_watch.wallpaperChanged();
        }
        return false; // Qt goes on with every event as before
    }

private:
    CompositorWatch& m_watch;
    xcb_atom_t m_selection = XCB_ATOM_NONE;
    xcb_atom_t m_wallpaper = XCB_ATOM_NONE;
    uint8_t m_xfixesEvent = 0;
};

CompositorWatch::CompositorWatch(QObject* parent)
    : QObject(parent), m_composited(ScreenIsComposited())
{
    xcb_connection_t* connection = IsX11() ? X11Connection() : nullptr;
    if (!connection)
        return;
    m_filter = new Filter(*this, connection);
    QCoreApplication::instance()->installNativeEventFilter(m_filter);
}

CompositorWatch::~CompositorWatch()
{
    if (m_filter && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(m_filter);
    delete m_filter;
}

void CompositorWatch::recheck()
{
    const bool composited = X11HasCompositingManager();
    if (composited == m_composited)
        return;
    m_composited = composited;
    emit compositedChanged(composited);
}

} // namespace morvane
