#pragma once

#include "calendar_window/month/DrawCalendar.h"
#include "calendar_window/window/CalendarFrm.h"
#include "calendar_window/window/CalendarSurface.h"
#include "context/AppContext.h"
#include "core/Clock.h"

#include <QApplication>
#include <QMouseEvent>
#include <memory>

namespace morvane::testing_support {

// A calendar window over a context without a database, at a fixed moment,
// with the settings a test needs to stay quick and deterministic: no desktop
// copy, no translucency, the wheel on.
class CalendarHarness
{
public:
    explicit CalendarHarness(QDateTime now = QDateTime(QDate(2026, 9, 15), QTime(10, 5)))
        : clock(now), context(clock, QString())
    {
        context.MarkSymbols = StandardMarkSymbols();
        Settings& s = context.settings();
        s.Transparency = false;
        s.TransparencyEx = false;
        s.ShowWait = 0;
        s.MouseFlg = true;
        s.ToolTipView = true;
    }

    Settings& settings() { return context.settings(); }

    // Builds the window the way the start-up does and shows month.
    CalendarFrm& load(const QString& month = QStringLiteral("2026/9/01"))
    {
        window = std::make_unique<CalendarFrm>(context);
        window->Form_Load();
        DrawCalendar(context, *window, month);
        window->LayoutCalendar();
        window->PlaceTitleAndIcons();
        return *window;
    }

    QWidget* surface() const { return window->Picture1; }

    QPoint faceCentre(int cell) const
    {
        return window->labelRectPixels(CalendarPart::FaceLabel, cell).center();
    }
    QPoint iconCentre(int number) const { return window->iconRectPixels(number).center(); }

    void mouse(QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons buttons,
               std::optional<QPoint> global = std::nullopt)
    {
        const QPoint globalPos = global ? *global : window->pos() + local;
        QMouseEvent event(type, QPointF(local), QPointF(globalPos), button, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(surface(), &event);
    }
    void press(QPoint local, Qt::MouseButton button = Qt::LeftButton)
    {
        mouse(QEvent::MouseButtonPress, local, button, button);
    }
    void release(QPoint local, Qt::MouseButton button = Qt::LeftButton)
    {
        mouse(QEvent::MouseButtonRelease, local, button, Qt::NoButton);
    }
    void click(QPoint local, Qt::MouseButton button = Qt::LeftButton)
    {
        press(local, button);
        release(local, button);
    }

    FixedClock clock;
    AppContext context;
    std::unique_ptr<CalendarFrm> window;
};

} // namespace morvane::testing_support
