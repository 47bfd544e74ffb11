// Writes the program's icon files from the same drawing as its tray icon:
// one PNG per size of the hicolor theme and one scalable SVG.
//
//   morvane_icon_tool OUTPUT_FOLDER ICON_NAME
//
// The files land in OUTPUT_FOLDER/hicolor/<n>x<n>/apps/ICON_NAME.png and
// OUTPUT_FOLDER/hicolor/scalable/apps/ICON_NAME.svg, ready to be installed
// under share/icons.

#include "calendar_window/tray/TrayIconArt.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QTextStream>
#include <array>

namespace {

constexpr std::array kSizes{16, 22, 24, 32, 48, 64, 128, 256};
// The drawing sits on a 16-unit grid; the SVG keeps that grid as its view
// box, so every rectangle stays on whole units at any scale.
constexpr int kSvgGrid = 16;

bool WritePng(const QString& root, const QString& name, int size)
{
    const QString folder = QStringLiteral("%1/hicolor/%2x%2/apps").arg(root).arg(size);
    if (!QDir().mkpath(folder))
        return false;
    return morvane::CalendarPageImage(false, size).save(folder + '/' + name + ".png", "PNG");
}

bool WriteSvg(const QString& root, const QString& name)
{
    const QString folder = root + QStringLiteral("/hicolor/scalable/apps");
    if (!QDir().mkpath(folder))
        return false;
    QSvgGenerator generator;
    generator.setFileName(folder + '/' + name + ".svg");
    // Shown at 48 pixels where a viewer takes the picture's own size.
    generator.setResolution(96);
    generator.setSize(QSize(48, 48));
    generator.setViewBox(QRect(0, 0, kSvgGrid, kSvgGrid));
    generator.setTitle(QStringLiteral("Morvane"));
    generator.setDescription(QStringLiteral("A calendar page with coloured marks"));
    QPainter painter;
    if (!painter.begin(&generator))
        return false;
    morvane::PaintCalendarPage(painter, false, kSvgGrid);
    return painter.end();
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 3) {
        err << "usage: morvane_icon_tool OUTPUT_FOLDER ICON_NAME\n";
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (const int size : kSizes) {
        if (!WritePng(root, name, size)) {
            err << "cannot write the " << size << " pixel icon under " << root << '\n';
            return 1;
        }
    }
    if (!WriteSvg(root, name)) {
        err << "cannot write the scalable icon under " << root << '\n';
        return 1;
    }
    return 0;
}
