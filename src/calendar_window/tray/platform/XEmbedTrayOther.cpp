#include "calendar_window/tray/platform/XEmbedTray.h"

namespace morvane {

struct XEmbedTrayWatch::Listener
{
};

bool XEmbedTrayPresent()
{
    return false;
}

XEmbedTrayWatch::XEmbedTrayWatch(std::function<void()>) {}

XEmbedTrayWatch::~XEmbedTrayWatch() = default;

} // namespace morvane
