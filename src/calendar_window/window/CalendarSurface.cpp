#include "calendar_window/window/CalendarSurface.h"

#include "calendar_window/window/CalendarFrm.h"

#include <QPainter>

namespace morvane {

CalendarSurface::CalendarSurface(CalendarFrm& window, QWidget* parent)
    : QWidget(parent), m_window(window)
{
    setObjectName(QStringLiteral("Picture1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void CalendarSurface::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    // The background's own alpha replaces what was there (a translucent
    // window starts each paint from nothing; an opaque one is covered).
    painter.setOpacity(m_window.surfaceOpacity());
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), m_window.surfaceImage());
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_window.paintCells(painter);
}

} // namespace morvane
