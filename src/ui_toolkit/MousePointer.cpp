#include "ui_toolkit/MousePointer.h"

#include <QGuiApplication>
#include <QWidget>

namespace morvane {

namespace {

bool haveGuiApplication()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

} // namespace

QCursor CursorFor(MousePointer pointer, const QCursor& custom)
{
    switch (pointer) {
    case MousePointer::Hourglass:
        return QCursor(Qt::WaitCursor);
    case MousePointer::ArrowHourglass:
        return QCursor(Qt::BusyCursor);
    case MousePointer::Custom:
        return custom;
    case MousePointer::Default:
        break;
    }
    return QCursor(Qt::ArrowCursor);
}

void SetMousePointer(QWidget* widget, MousePointer pointer, const QCursor& custom)
{
    if (widget == nullptr)
        return;
    if (pointer == MousePointer::Default)
        widget->unsetCursor();
    else
        widget->setCursor(CursorFor(pointer, custom));
}

BusyPointer::BusyPointer(MousePointer pointer)
{
    if (!haveGuiApplication())
        return;
    QGuiApplication::setOverrideCursor(CursorFor(pointer));
    m_applicationWide = true;
    m_active = true;
}

BusyPointer::BusyPointer(QWidget* widget, MousePointer pointer) : m_widget(widget)
{
    if (widget == nullptr)
        return;
    m_widgetHadCursor = widget->testAttribute(Qt::WA_SetCursor);
    m_previousCursor = widget->cursor();
    widget->setCursor(CursorFor(pointer));
    m_active = true;
}

BusyPointer::~BusyPointer()
{
    release();
}

void BusyPointer::release()
{
    if (!m_active)
        return;
    m_active = false;
    if (m_applicationWide) {
        QGuiApplication::restoreOverrideCursor();
        return;
    }
    if (m_widget.isNull())
        return;
    if (m_widgetHadCursor)
        m_widget->setCursor(m_previousCursor);
    else
        m_widget->unsetCursor();
}

ArrowWhileAsking::ArrowWhileAsking()
{
    if (!haveGuiApplication() || QGuiApplication::overrideCursor() == nullptr)
        return;
    QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    m_pushed = true;
}

ArrowWhileAsking::~ArrowWhileAsking()
{
    if (m_pushed)
        QGuiApplication::restoreOverrideCursor();
}

} // namespace morvane
