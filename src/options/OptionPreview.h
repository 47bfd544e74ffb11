#pragma once

#include "calendar_window/window/TextFit.h"
#include "options/OptionControls.h"

#include <QImage>
#include <QWidget>

namespace morvane {

// The miniature calendar beside the option pages, painted from the controls
// (not from the settings) over a picture of the desktop wallpaper, so the
// pending look shows before it is applied. The whole-window translucency is
// not shown.
class OptionPreview : public QWidget
{
    Q_OBJECT

public:
    explicit OptionPreview(const OptionControls& controls, QWidget* parent = nullptr);

    // The wallpaper to paint over; a null picture keeps the previous one.
    void setWallpaper(const QImage& wallpaper);
    const QImage& wallpaper() const { return m_wallpaper; }
    // The title sample shown in cell 0.
    void setTitle(const QString& title);
    // Rebuilds and repaints from the controls (LayoutPreview + PaintPreview).
    void refresh();
    // The picture of Text1 could not be loaded the last time it was tried.
    bool pictureFailed() const { return m_pictureFailed; }
    // The preview box as painted, for tests and screenshots.
    const QImage& boxImage() const { return m_box; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PaintPreview();
    QImage backgroundLayer(QSize pixels);
    void paintCells(QPainter& painter);
    void DrawPreviewBox(QPainter& painter);
    QRect boxRect() const;

    const OptionControls& m_c;
    QImage m_wallpaper;
    QImage m_box;
    QString m_title;
    QString m_loadedPicturePath;
    QImage m_picture; // Picture4
    bool m_pictureFailed = false;
    TextInkCache m_inks;
};

// The user's desktop wallpaper where the desktop environment tells it;
// a null picture when none can be read.
QImage ReadDesktopWallpaper();

} // namespace morvane
