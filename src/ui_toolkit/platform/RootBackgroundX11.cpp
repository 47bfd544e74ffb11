#include "ui_toolkit/platform/RootBackground.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QPainter>
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

xcb_connection_t* X11Connection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_screen_t* FirstScreen(xcb_connection_t* connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
}

// The pixels of `area` of a drawable, in 32-bit RGB; null when the server
// refuses (a stale pixmap, a window that is not viewable there).
QImage ReadImage(xcb_connection_t* connection, xcb_drawable_t drawable, const QRect& area)
{
    const std::unique_ptr<xcb_get_image_reply_t, FreeReply> reply(xcb_get_image_reply(
        connection,
        xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, drawable,
                      static_cast<int16_t>(area.x()), static_cast<int16_t>(area.y()),
                      static_cast<uint16_t>(area.width()), static_cast<uint16_t>(area.height()),
                      ~0u),
        nullptr));
    if (!reply || (reply->depth != 24 && reply->depth != 32))
        return {};
    const int bytes = xcb_get_image_data_length(reply.get());
    if (bytes < area.width() * area.height() * 4)
        return {};
    const QImage view(xcb_get_image_data(reply.get()), area.width(), area.height(),
                      area.width() * 4, QImage::Format_RGB32);
    return view.copy();
}

// The wallpaper picture a desktop leaves on the root window for programs
// that draw the desktop behind themselves.
xcb_pixmap_t WallpaperPixmap(xcb_connection_t* connection, xcb_window_t root)
{
    const QByteArray name = QByteArrayLiteral("_XROOTPMAP_ID");
    const std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> atom(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, static_cast<uint16_t>(name.size()), name.data()),
        nullptr));
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return XCB_PIXMAP_NONE;
    const std::unique_ptr<xcb_get_property_reply_t, FreeReply> property(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, root, atom->atom, XCB_ATOM_PIXMAP, 0, 1), nullptr));
    if (!property || property->format != 32 || xcb_get_property_value_length(property.get()) < 4)
        return XCB_PIXMAP_NONE;
    xcb_pixmap_t pixmap = XCB_PIXMAP_NONE;
    std::memcpy(&pixmap, xcb_get_property_value(property.get()), sizeof pixmap);
    return pixmap;
}

// The root window's background as the server paints it: a window of our
// own, borderless, unmanaged, whose background is its parent's, shown for
// the one request that reads it.
QImage PaintedRootBackground(xcb_connection_t* connection, xcb_window_t root, const QRect& area)
{
    const xcb_window_t probe = xcb_generate_id(connection);
    const uint32_t values[] = {XCB_BACK_PIXMAP_PARENT_RELATIVE, 1};
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, probe, root,
                      static_cast<int16_t>(area.x()), static_cast<int16_t>(area.y()),
                      static_cast<uint16_t>(area.width()), static_cast<uint16_t>(area.height()), 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
                      XCB_CW_BACK_PIXMAP | XCB_CW_OVERRIDE_REDIRECT, values);
    xcb_map_window(connection, probe);
    QImage image = ReadImage(connection, probe, QRect(QPoint(0, 0), area.size()));
    xcb_destroy_window(connection, probe);
    xcb_flush(connection);
    return image;
}

} // namespace

QImage GrabRootBackground(const QRect& devicePixels)
{
    xcb_connection_t* connection = X11Connection();
    if (!connection || devicePixels.isEmpty())
        return {};
    xcb_screen_t* screen = FirstScreen(connection);
    const QRect screenArea(0, 0, screen->width_in_pixels, screen->height_in_pixels);
    // Only what lies on the screen can be read; the rest is never seen.
    const QRect area = devicePixels.intersected(screenArea);
    if (area.isEmpty())
        return {};

    QImage part;
    const xcb_pixmap_t wallpaper = WallpaperPixmap(connection, screen->root);
    if (wallpaper != XCB_PIXMAP_NONE)
        part = ReadImage(connection, wallpaper, area);
    if (part.isNull())
        part = PaintedRootBackground(connection, screen->root, area);
    if (part.isNull())
        return {};
    if (area == devicePixels)
        return part;
    QImage whole(devicePixels.size(), QImage::Format_RGB32);
    whole.fill(Qt::black);
    QPainter painter(&whole);
    painter.drawImage(area.topLeft() - devicePixels.topLeft(), part);
    return whole;
}

} // namespace morvane
