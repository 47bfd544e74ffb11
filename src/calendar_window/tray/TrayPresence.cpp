#include "calendar_window/tray/TrayPresence.h"

#include "calendar_window/tray/platform/XEmbedTray.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusServiceWatcher>

namespace morvane {

namespace {

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");

} // namespace

DesktopTrayPresence::DesktopTrayPresence(QObject* parent) : TrayPresence(parent) {}

DesktopTrayPresence::~DesktopTrayPresence() = default;

bool DesktopTrayPresence::StatusNotifierHostPresent()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface() ||
        !bus.interface()->isServiceRegistered(kWatcherService)) {
        return false;
    }
    QDBusInterface watcher(kWatcherService, kWatcherPath, kWatcherService, bus);
    return watcher.isValid() && watcher.property("IsStatusNotifierHostRegistered").toBool();
}

bool DesktopTrayPresence::present()
{
    return XEmbedTrayPresent() || StatusNotifierHostPresent();
}

void DesktopTrayPresence::watch()
{
    if (m_watching) {
        return;
    }
    m_watching = true;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        auto* names = new QDBusServiceWatcher(kWatcherService, bus,
                                              QDBusServiceWatcher::WatchForRegistration, this);
        connect(names, &QDBusServiceWatcher::serviceRegistered, this,
                &DesktopTrayPresence::watcherRegistered);
        // A watcher may come before its panel: the panel's arrival is
        // announced by the watcher.
        bus.connect(kWatcherService, kWatcherPath, kWatcherService,
                    QStringLiteral("StatusNotifierHostRegistered"), this,
                    SLOT(watcherRegistered()));
    }
    // Told from inside the X event handling, which must not lose its
    // handler while it runs: the announcement follows on the next turn.
    m_xembed = std::make_unique<XEmbedTrayWatch>(
        [this] { QMetaObject::invokeMethod(this, &DesktopTrayPresence::announce, Qt::QueuedConnection); });
}

void DesktopTrayPresence::watcherRegistered()
{
    if (StatusNotifierHostPresent()) {
        announce();
    }
}

void DesktopTrayPresence::announce()
{
    if (!m_watching) {
        return;
    }
    m_watching = false;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.disconnect(kWatcherService, kWatcherPath, kWatcherService,
                   QStringLiteral("StatusNotifierHostRegistered"), this,
                   SLOT(watcherRegistered()));
    for (auto* names : findChildren<QDBusServiceWatcher*>()) {
        names->deleteLater();
    }
    m_xembed.reset();
    emit appeared();
}

} // namespace morvane
