#pragma once

#include <QHash>
#include <QIconEngine>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QSize>
#include <functional>

namespace morvane {

// An icon that draws its picture at whatever device size is asked for, so a
// tray of 22 points on a screen of scale 2 gets 44 drawn pixels rather than
// a smaller picture blown up. The sizes it names are those trays and window
// managers commonly ask for; any other size is drawn too.
class DrawnIconEngine : public QIconEngine
{
public:
    // draw(size) returns the square picture of size x size pixels.
    explicit DrawnIconEngine(std::function<QImage(int)> draw);

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override;

private:
    std::function<QImage(int)> m_draw;
    QHash<int, QPixmap> m_drawn; // the pictures already drawn, by side length
};

} // namespace morvane
