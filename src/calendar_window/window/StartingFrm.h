#pragma once

#include <QImage>
#include <QWidget>

class QLabel;
class QProgressBar;

namespace morvane {

class AppEvents;

// The start-up window: the program's name and version over a copy of the
// desktop behind it, and a progress bar that the window load (0 to 70) and
// the first month drawing (70 to 100) advance. Frameless, centred, without a
// taskbar button; the start-up closes it once the month is drawn.
class StartingFrm : public QWidget
{
    Q_OBJECT

public:
    // With events, the bar follows AppEvents::startupProgress.
    explicit StartingFrm(AppEvents* events = nullptr, QWidget* parent = nullptr);

    // Copies the desktop where the window is about to appear, then shows it
    // there, centred on the screen, and returns once it is painted there.
    void showOverDesktop();
    // The window had been painted when showOverDesktop returned.
    bool paintedWhenShown() const { return m_paintedWhenShown; }
    // Moves the bar (0 to 100) and paints it at once: the start-up runs
    // without returning to the event loop.
    void setProgress(int value);

    // "Version 2.17", with the revision only when it is not 0.
    static QString VersionText(const QString& version);

    QImage Picture1; // the desktop behind the window
    QLabel* Label1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_version;
    int m_paints = 0;
    bool m_paintedWhenShown = false;
};

// The title picture of the start-up window: a calendar leaf and the name
// "モルヴァ" on a dark rounded panel, drawn into rect.
void PaintStartingTitle(class QPainter& painter, const QRect& rect, const QString& versionText);

} // namespace morvane
