#include "ui_toolkit/EventPump.h"

#include <QCoreApplication>

namespace morvane {

void DoEvents()
{
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::processEvents();
}

} // namespace morvane
