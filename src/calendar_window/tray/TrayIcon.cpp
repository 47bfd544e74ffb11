#include "calendar_window/tray/TrayIcon.h"

#include "calendar_window/tray/TrayPresence.h"

#include <QEvent>
#include <QMenu>

namespace morvane {

TrayIcon::TrayIcon(std::unique_ptr<TrayPresence> presence, QObject* parent)
    : QObject(parent), m_presence(std::move(presence))
{
    connect(m_presence.get(), &TrayPresence::appeared, this, &TrayIcon::make);
}

TrayIcon::~TrayIcon() = default;

void TrayIcon::setIcon(const QIcon& icon)
{
    // Each picture handed to the tray is a request to the display and a
    // repaint of the panel: the picture already shown is not sent again.
    if (m_system && icon.cacheKey() == m_icon.cacheKey())
        return;
    m_icon = icon;
    if (m_system) {
        m_system->setIcon(icon);
    }
}

void TrayIcon::setToolTip(const QString& tip)
{
    m_tip = tip;
    if (m_system) {
        m_system->setToolTip(tip);
    }
}

void TrayIcon::setContextMenu(QMenu* menu)
{
    m_menu = menu;
    if (m_system) {
        m_system->setContextMenu(menu);
    }
}

QMenu* TrayIcon::contextMenu() const
{
    return m_menu;
}

void TrayIcon::show()
{
    m_visible = true;
    if (m_system) {
        m_system->show();
    } else if (m_presence->present()) {
        make();
    } else {
        m_presence->watch();
    }
}

void TrayIcon::hide()
{
    m_visible = false;
    if (m_system) {
        m_system->hide();
    }
}

void TrayIcon::make()
{
    if (m_system) {
        return;
    }
    m_system = std::make_unique<QSystemTrayIcon>();
    m_system->setObjectName(objectName());
    m_system->setIcon(m_icon);
    m_system->setToolTip(m_tip);
    if (m_menu) {
        m_system->setContextMenu(m_menu);
    }
    // A docking tray passes its tooltip request on to the icon object.
    m_system->installEventFilter(this);
    connect(m_system.get(), &QSystemTrayIcon::activated, this, &TrayIcon::activated);
    if (m_visible) {
        m_system->show();
    }
}

bool TrayIcon::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        emit tipRequested();
        return true;
    }
    return QObject::event(event);
}

bool TrayIcon::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_system.get() && event->type() == QEvent::ToolTip) {
        emit tipRequested();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace morvane
