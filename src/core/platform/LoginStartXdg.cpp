#include "core/XdgAutostart.h"

namespace morvane {

std::unique_ptr<LoginStart> SystemLoginStart(const QString& programPath)
{
    return std::make_unique<XdgAutostart>(XdgConfigFolder(), programPath);
}

} // namespace morvane
