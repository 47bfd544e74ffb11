#pragma once

#include <functional>
#include <memory>

namespace morvane {

// The older tray protocol of X11 desktops (a tray window that docks icon
// windows). Off X11 there is never such a tray.

// A tray window owns the screen's tray selection now.
bool XEmbedTrayPresent();

// Calls appeared each time a tray window announces that it took the
// selection, for as long as the watch lives.
class XEmbedTrayWatch
{
public:
    explicit XEmbedTrayWatch(std::function<void()> appeared);
    ~XEmbedTrayWatch();
    XEmbedTrayWatch(const XEmbedTrayWatch&) = delete;
    XEmbedTrayWatch& operator=(const XEmbedTrayWatch&) = delete;

private:
    struct Listener;
    std::unique_ptr<Listener> m_listener;
};

} // namespace morvane
