#pragma once

#include <QObject>
#include <memory>

namespace morvane {

class XEmbedTrayWatch;

// Whether the desktop has a tray for the icon: a status-notifier panel on
// the session bus, or a tray window of the older docking protocol.
class TrayPresence : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual bool present() = 0;
    // Listens until a tray appears, then emits appeared() once.
    virtual void watch() = 0;

signals:
    void appeared();
};

// The tray of the running desktop. It listens only while asked to and only
// to announcements (the bus's name changes and the X server's tray
// messages): nothing runs while the program waits.
class DesktopTrayPresence : public TrayPresence
{
    Q_OBJECT

public:
    explicit DesktopTrayPresence(QObject* parent = nullptr);
    ~DesktopTrayPresence() override;

    bool present() override;
    void watch() override;

    // A status-notifier watcher is on the session bus with a panel (host)
    // registered: the very question the toolkit asks when it makes an icon.
    static bool StatusNotifierHostPresent();

private slots:
    void watcherRegistered();

private:
    void announce();

    bool m_watching = false;
    std::unique_ptr<XEmbedTrayWatch> m_xembed;
};

} // namespace morvane
