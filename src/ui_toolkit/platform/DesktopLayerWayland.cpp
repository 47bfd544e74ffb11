#include "ui_toolkit/platform/DesktopLayer.h"

#include "wlr-layer-shell-unstable-v1-client-protocol.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>
#include <qpa/qplatformwindow.h>
#include <wayland-client.h>

#include <algorithm>

namespace morvane {

namespace {

// The layer-shell global of this session, bound on an event queue of our
// own so that the first answer about a surface can be waited for without
// running the toolkit's events.
struct LayerShell
{
    wl_display* display = nullptr;
    wl_event_queue* queue = nullptr;
    zwlr_layer_shell_v1* shell = nullptr;
    uint32_t version = 0;
    // KWin gives a held pointer's positions from where a surface stands
    // now; wlroots compositors from where it stood at the press.
    bool kwin = false;
};

void announce(void* data, wl_registry* registry, uint32_t name, const char* interface,
              uint32_t version)
{
    auto* layers = static_cast<LayerShell*>(data);
    if (qstrcmp(interface, "org_kde_plasma_shell") == 0)
        layers->kwin = true;
    if (qstrcmp(interface, zwlr_layer_shell_v1_interface.name) != 0 || layers->shell != nullptr)
        return;
    layers->version = std::min<uint32_t>(version, 4);
    layers->shell = static_cast<zwlr_layer_shell_v1*>(
        wl_registry_bind(registry, name, &zwlr_layer_shell_v1_interface, layers->version));
}

void withdraw(void*, wl_registry*, uint32_t) {}

const wl_registry_listener kRegistryListener = {announce, withdraw};

void* nativeResource(const char* name, QWindow* window)
{
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    if (native == nullptr)
        return nullptr;
    return window != nullptr ? native->nativeResourceForWindow(name, window)
                             : native->nativeResourceForIntegration(name);
}

LayerShell& layerShell()
{
    static LayerShell layers = [] {
        LayerShell found;
        if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
            return found;
        found.display = static_cast<wl_display*>(nativeResource("wl_display", nullptr));
        if (found.display == nullptr)
            return found;
        found.queue = wl_display_create_queue(found.display);
        auto* display = static_cast<wl_display*>(wl_proxy_create_wrapper(found.display));
        wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(display), found.queue);
        wl_registry* registry = wl_display_get_registry(display);
        wl_proxy_wrapper_destroy(display);
        wl_registry_add_listener(registry, &kRegistryListener, &found);
        wl_display_roundtrip_queue(found.display, found.queue);
        wl_registry_destroy(registry);
        return found;
    }();
    return layers;
}

// One window on the layers: its wl_surface gets the layer role each time
// the toolkit makes one (a hidden window loses its surface).
class LayerWindow : public QObject
{
    Q_OBJECT

public:
    LayerWindow(QWidget* widget, bool above, bool popup)
        : QObject(widget), m_widget(widget), m_above(above), m_popup(popup)
    {
        widget->installEventFilter(this);
    }

    ~LayerWindow() override { release(); }

    void setAbove(bool above)
    {
        if (m_above == above)
            return;
        m_above = above;
        if (m_layer != nullptr && layerShell().version >= ZWLR_LAYER_SURFACE_V1_SET_LAYER_SINCE_VERSION) {
            zwlr_layer_surface_v1_set_layer(m_layer, layer());
            wl_surface_commit(m_surface);
        }
    }

    // A window whose first showing is already under way.
    void showing() { prepare(); }

    // The window on the layers under the pointer, if any.
    static QWidget* pointerOver() { return s_pointerOver; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_widget)
            return false;
        switch (event->type()) {
        case QEvent::Show:
            // Before the toolkit shows the window: it must give the surface
            // no role of its own.
            prepare();
            break;
        case QEvent::Move:
        case QEvent::Resize:
            place();
            break;
        case QEvent::Enter:
            s_pointerOver = m_widget;
            break;
        case QEvent::Leave:
        case QEvent::Hide:
            if (s_pointerOver == m_widget)
                s_pointerOver = nullptr;
            break;
        default:
            break;
        }
        return false;
    }

private slots:
    void surfaceMade() { attach(); }
    void surfaceDropped() { release(); }

private:
    uint32_t layer() const
    {
        if (m_popup)
            return ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY;
        return m_above ? ZWLR_LAYER_SHELL_V1_LAYER_TOP : ZWLR_LAYER_SHELL_V1_LAYER_BOTTOM;
    }

    void prepare()
    {
        QWindow* window = m_widget->windowHandle();
        if (window == nullptr) {
            m_widget->winId();
            window = m_widget->windowHandle();
        }
        if (window == nullptr)
            return;
        if (!window->flags().testFlag(Qt::BypassWindowManagerHint))
            window->setFlags(window->flags() | Qt::BypassWindowManagerHint);
        auto* platformWindow = dynamic_cast<QObject*>(window->handle());
        if (platformWindow != nullptr && platformWindow != m_platformWindow) {
            m_platformWindow = platformWindow;
            // The toolkit's Wayland window tells when it makes and drops its
            // surface (a hidden window loses it); the names are its own.
            connect(platformWindow, SIGNAL(wlSurfaceCreated()), this, SLOT(surfaceMade()));
            connect(platformWindow, SIGNAL(wlSurfaceDestroyed()), this, SLOT(surfaceDropped()));
            connect(platformWindow, &QObject::destroyed, this, [this] {
                m_platformWindow = nullptr;
                release();
            });
        }
        attach();
    }

    // Gives the window's current surface the layer role, once.
    void attach()
    {
        LayerShell& layers = layerShell();
        QWindow* window = m_widget->windowHandle();
        if (layers.shell == nullptr || window == nullptr)
            return;
        auto* surface = static_cast<wl_surface*>(nativeResource("surface", window));
        if (surface == nullptr || surface == m_surface)
            return;
        release();
        m_surface = surface;
        m_screen = screenFor(m_widget->frameGeometry());
        auto* output = m_screen != nullptr
                           ? static_cast<wl_output*>(QGuiApplication::platformNativeInterface()
                                                         ->nativeResourceForScreen("output", m_screen))
                           : nullptr;
        m_layer = zwlr_layer_shell_v1_get_layer_surface(layers.shell, surface, output, layer(),
                                                        "morvane");
        zwlr_layer_surface_v1_add_listener(m_layer, &kListener, this);
        zwlr_layer_surface_v1_set_anchor(m_layer, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP |
                                                      ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT);
        // Other surfaces' reserved edges (panels) must not push it off its
        // place.
        zwlr_layer_surface_v1_set_exclusive_zone(m_layer, -1);
        // Keys only once the user clicks it: a month calendar on the desktop
        // must not take them from the window being typed in. A menu takes
        // them at once, for its arrow keys and Escape.
        uint32_t keys = ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE;
        if (m_popup)
            keys = ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE;
        else if (layers.version >= 4)
            keys = ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_ON_DEMAND;
        zwlr_layer_surface_v1_set_keyboard_interactivity(m_layer, keys);
        setGeometry();
        wl_surface_commit(surface);
        // The toolkit must not draw into the surface before the compositor
        // has answered this first commit.
        m_configured = false;
        while (!m_configured && m_layer != nullptr &&
               wl_display_roundtrip_queue(layers.display, layers.queue) >= 0) {
        }
        // Later answers come with the toolkit's own events.
        if (m_layer != nullptr)
            wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(m_layer), nullptr);
    }

    void setGeometry()
    {
        const QRect frame = m_widget->frameGeometry();
        const QPoint origin = m_screen != nullptr ? m_screen->geometry().topLeft() : QPoint();
        zwlr_layer_surface_v1_set_size(m_layer, static_cast<uint32_t>(std::max(1, frame.width())),
                                       static_cast<uint32_t>(std::max(1, frame.height())));
        zwlr_layer_surface_v1_set_margin(m_layer, frame.top() - origin.y(), 0, 0,
                                         frame.left() - origin.x());
    }

    void place()
    {
        if (m_layer == nullptr || !m_configured)
            return;
        setGeometry();
        wl_surface_commit(m_surface);
    }

    void release()
    {
        if (m_layer != nullptr)
            zwlr_layer_surface_v1_destroy(m_layer);
        m_layer = nullptr;
        m_surface = nullptr;
        m_configured = false;
    }

    static QScreen* screenFor(const QRect& frame)
    {
        if (QScreen* screen = QGuiApplication::screenAt(frame.topLeft()))
            return screen;
        if (QScreen* screen = QGuiApplication::screenAt(frame.center()))
            return screen;
        return QGuiApplication::primaryScreen();
    }

    static void configure(void* data, zwlr_layer_surface_v1* layer, uint32_t serial, uint32_t,
                          uint32_t)
    {
        zwlr_layer_surface_v1_ack_configure(layer, serial);
        auto* self = static_cast<LayerWindow*>(data);
        // An answer to a new place or size takes effect with a commit; the
        // toolkit may not draw again soon.
        if (self->m_configured)
            wl_surface_commit(self->m_surface);
        self->m_configured = true;
    }

    static void closed(void* data, zwlr_layer_surface_v1*)
    {
        // The output went away: the next showing finds a screen again.
        static_cast<LayerWindow*>(data)->release();
    }

    static constexpr zwlr_layer_surface_v1_listener kListener = {configure, closed};

    QPointer<QWidget> m_widget;
    bool m_above = false;
    bool m_popup = false;
    QObject* m_platformWindow = nullptr;
    QScreen* m_screen = nullptr;
    wl_surface* m_surface = nullptr;
    zwlr_layer_surface_v1* m_layer = nullptr;
    bool m_configured = false;
    static inline QPointer<QWidget> s_pointerOver;
};

LayerWindow* layerWindowOf(const QWidget* window)
{
    return window != nullptr ? window->findChild<LayerWindow*>(QString(), Qt::FindDirectChildrenOnly)
                             : nullptr;
}

// Menus and the day balloon opened from a window on the layers (by the
// pointer over it, or as its child) stand on the top layer too: a popup of
// an ordinary Wayland window needs a parent with a window role, which a
// layer surface is not. Popups of ordinary windows stay theirs.
class PopupWatch : public QObject
{
    static bool fromLayer(const QWidget* popup)
    {
        if (layerWindowOf(popup) != nullptr || LayerWindow::pointerOver() != nullptr)
            return true;
        for (const QWidget* parent = popup->parentWidget(); parent != nullptr;
             parent = parent->parentWidget()) {
            if (layerWindowOf(parent->window()) != nullptr)
                return true;
        }
        return false;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Show || !watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        const Qt::WindowType type = widget->windowType();
        if (!widget->isWindow() || (type != Qt::Popup && type != Qt::ToolTip))
            return false;
        if (!fromLayer(widget))
            return false;
        if (layerWindowOf(widget) == nullptr) {
            auto* layer = new LayerWindow(widget, true, true);
            layer->showing();
        }
        return false;
    }
};

bool g_prepared = false;

} // namespace

void PrepareDesktopLayer()
{
    // Windows we put on the layers carry this hint; the toolkit then gives
    // their surface no role of its own.
    qputenv("QT_WAYLAND_USE_BYPASSWINDOWMANAGERHINT", "1");
    // The toolkit otherwise reports every Wayland window at its screen's
    // corner, as a compositor tells no one where it shows them; on the
    // layers the calendar stands where the program anchors it, and the
    // pointer's screen positions must say so.
    qputenv("QT_WAYLAND_DISABLE_FIXED_POSITIONS", "1");
    g_prepared = true;
}

bool DesktopLayerAvailable()
{
    return g_prepared && layerShell().shell != nullptr;
}

bool HeldPointerKeepsPressOrigin()
{
    return DesktopLayerAvailable() && !layerShell().kwin;
}

void KeepOnDesktopLayer(QWidget* window, bool above)
{
    if (window == nullptr || !DesktopLayerAvailable() || layerWindowOf(window) != nullptr)
        return;
    // The toolkit then gives its surface no window role of its own.
    window->setWindowFlag(Qt::BypassWindowManagerHint, true);
    new LayerWindow(window, above, false);
    static PopupWatch* popups = [] {
        auto* watch = new PopupWatch;
        QCoreApplication::instance()->installEventFilter(watch);
        return watch;
    }();
    Q_UNUSED(popups);
}

void SetDesktopLayerAbove(QWidget* window, bool above)
{
    if (LayerWindow* layer = layerWindowOf(window))
        layer->setAbove(above);
}

bool IsOnDesktopLayer(const QWidget* window)
{
    return layerWindowOf(window) != nullptr;
}

} // namespace morvane

#include "DesktopLayerWayland.moc"
