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
    painter.drawImage(QPoint(0, 0), m_window.surfaceImage());
    m_window.paintCells(painter);
}

} // namespace morvane
