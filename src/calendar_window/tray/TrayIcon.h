#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QSystemTrayIcon>
#include <memory>

class QMenu;

namespace morvane {

class TrayPresence;

// The program's icon in the notification area, with its picture, tip and
// menu. The toolkit chooses once, when it makes an icon, between a
// status-notifier item (published on the session bus, menu included) and a
// window docked in an older tray, and never looks again. So the icon is made
// only once the desktop has a tray: a panel that starts after the program
// (at login) still gets it. Until then what is set here is kept and handed
// over when the icon is made; after that the toolkit itself follows a panel
// or tray that restarts.
class TrayIcon : public QObject
{
    Q_OBJECT

public:
    explicit TrayIcon(std::unique_ptr<TrayPresence> presence, QObject* parent = nullptr);
    ~TrayIcon() override;

    void setIcon(const QIcon& icon);
    QIcon icon() const { return m_icon; }
    void setToolTip(const QString& tip);
    QString toolTip() const { return m_tip; }
    // The menu a panel offers for the icon; a docking tray shows it on a
    // right click before it reports the click.
    void setContextMenu(QMenu* menu);
    QMenu* contextMenu() const;

    void show();
    void hide();
    bool isVisible() const { return m_visible; }

    // The toolkit's icon; null while the desktop has no tray.
    QSystemTrayIcon* systemIcon() const { return m_system.get(); }

signals:
    void activated(QSystemTrayIcon::ActivationReason reason);
    // The pointer rests on the icon: the moment to bring the tip up to date.
    void tipRequested();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void make();

    std::unique_ptr<TrayPresence> m_presence;
    std::unique_ptr<QSystemTrayIcon> m_system;
    QIcon m_icon;
    QString m_tip;
    QPointer<QMenu> m_menu;
    bool m_visible = false;
};

} // namespace morvane
