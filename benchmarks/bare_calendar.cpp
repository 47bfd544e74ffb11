// A bare Qt month calendar for comparison with ours: a frameless tool window
// holding one QCalendarWidget that steps a month on every Right or Left key,
// as the resident calendar does. Used by month_step_cpu.sh.
#include <QApplication>
#include <QCalendarWidget>
#include <QKeyEvent>

namespace {

class StepOnKeys final : public QObject
{
public:
    explicit StepOnKeys(QCalendarWidget& calendar) : QObject(&calendar), m_calendar(calendar) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            // The day selection stays put; only the release steps.
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Right || key == Qt::Key_Left)
                return true;
        }
        if (event->type() == QEvent::KeyRelease) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Right) {
                m_calendar.showNextMonth();
                return true;
            }
            if (key == Qt::Key_Left) {
                m_calendar.showPreviousMonth();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QCalendarWidget& m_calendar;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCalendarWidget calendar(nullptr);
    calendar.setWindowFlags(Qt::FramelessWindowHint | Qt::Tool);
    calendar.setWindowTitle(QStringLiteral("bare calendar"));
    calendar.setNavigationBarVisible(true);
    calendar.resize(300, 200);
    calendar.move(100, 100);
    const auto children = calendar.findChildren<QWidget*>();
    for (QWidget* child : children)
        child->installEventFilter(new StepOnKeys(calendar));
    calendar.installEventFilter(new StepOnKeys(calendar));
    calendar.show();
    return app.exec();
}
