#include "calendar_window/tray/TrayIconArt.h"

#include "calendar_window/tray/DrawnIconEngine.h"

#include <QFileInfo>
#include <QFont>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>

namespace morvane {

namespace {

// A 16 x 16 picture is drawn pixel by pixel; larger ones are the same
// picture at a whole multiple, or (for the day number) a smooth outline.
constexpr int kBase = 16;

// 5 x 7 digits, one string per row, '#' lit.
using Glyph = std::array<const char*, 7>;
constexpr std::array<Glyph, 10> kDigits{{
    {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."},
    {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."},
    {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"},
    {".###.", "#...#", "....#", "..##.", "....#", "#...#", ".###."},
    {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."},
    {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."},
    {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."},
    {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."},
    {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."},
    {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."},
}};
constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;

const QColor kBorderGrey(150, 150, 150);
const QColor kInk(40, 40, 48);

QImage Blank(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The rounded square of the day icon, pixel exact at 16 pixels: corners cut
// by two pixels, a one-pixel grey border, black inside.
void DrawSmallSquare(QImage& image)
{
    for (int y = 0; y < kBase; ++y) {
        for (int x = 0; x < kBase; ++x) {
            const int dx = std::min(x, kBase - 1 - x);
            const int dy = std::min(y, kBase - 1 - y);
            if (dx + dy < 2) {
                continue; // cut corner
            }
            const bool border = dx == 0 || dy == 0 || (dx == 1 && dy == 1);
            image.setPixelColor(x, y, border ? kBorderGrey : QColor(Qt::black));
        }
    }
}

void DrawPixelNumber(QImage& image, int day)
{
    const QString digits = QString::number(day);
    const int width = int(digits.size()) * kGlyphWidth + (int(digits.size()) - 1);
    int left = (kBase - width + 1) / 2;
    const int top = (kBase - kGlyphHeight) / 2;
    for (const QChar digit : digits) {
        const Glyph& glyph = kDigits[std::size_t(digit.digitValue())];
        for (int row = 0; row < kGlyphHeight; ++row) {
            for (int col = 0; col < kGlyphWidth; ++col) {
                if (glyph[std::size_t(row)][col] == '#') {
                    image.setPixelColor(left + col, top + row, Qt::white);
                }
            }
        }
        left += kGlyphWidth + 1;
    }
}

void DrawLargeDay(QImage& image, int day)
{
    const int size = image.width();
    const qreal unit = size / qreal(kBase);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal inset = unit / 2;
    const QRectF square(inset, inset, size - 2 * inset, size - 2 * inset);
    painter.setPen(QPen(kBorderGrey, unit));
    painter.setBrush(Qt::black);
    painter.drawRoundedRect(square, 2.5 * unit, 2.5 * unit);
    if (day <= 0) {
        return;
    }

    // The outline of the number, scaled into the box the pixel font uses so
    // that every size reads the same.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(100);
    QPainterPath path;
    path.addText(0, 0, font, QString::number(day));
    const QRectF bounds = path.boundingRect();
    const qreal boxHeight = kGlyphHeight * unit;
    const qreal boxWidth = (day >= 10 ? 11 : 5) * unit * 1.1;
    const qreal scale = std::min(boxHeight / bounds.height(), boxWidth / bounds.width());
    QTransform transform;
    transform.translate(size / 2.0, size / 2.0);
    transform.scale(scale, scale);
    transform.translate(-bounds.center().x(), -bounds.center().y());
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPath(transform.map(path));
}

// The calendar page on the 16-pixel grid; the painter is scaled for larger
// pictures, so every rectangle stays on whole pixels.
void DrawPage(QPainter& painter, bool lit)
{
    if (lit) {
        painter.setBrush(QColor(255, 236, 140));
        painter.drawRect(0, 0, 16, 16);
    }
    painter.setBrush(kInk);
    painter.drawRect(1, 2, 14, 14); // outline
    painter.setBrush(Qt::white);
    painter.drawRect(2, 3, 12, 12);
    painter.setBrush(QColor(214, 48, 49));
    painter.drawRect(2, 3, 12, 3); // header band
    painter.setBrush(kInk);
    painter.drawRect(4, 1, 1, 3); // binding rings
    painter.drawRect(11, 1, 1, 3);

    // Day cells, a few of them marked.
    const std::array<int, 4> columns{3, 6, 9, 12};
    const std::array<int, 3> rows{7, 10, 13};
    const QColor empty(205, 205, 210);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < columns.size(); ++c) {
            QColor color = empty;
            if (r == 0 && c == 1) {
                color = QColor(40, 110, 230); // blue
            } else if (r == 1 && c == 3) {
                color = QColor(40, 170, 70); // green
            } else if (r == 1 && c == 0) {
                color = QColor(230, 50, 50); // red
            } else if (r == 2 && c == 2) {
                color = QColor(250, 160, 20); // orange
            }
            painter.setBrush(color);
            painter.drawRect(columns[c], rows[r], 2, 2);
        }
    }
}

} // namespace

QImage DayNumberImage(int day, int size)
{
    QImage image = Blank(size);
    if (size == kBase) {
        DrawSmallSquare(image);
        if (day > 0) {
            DrawPixelNumber(image, day);
        }
    } else {
        DrawLargeDay(image, day);
    }
    return image;
}

void PaintCalendarPage(QPainter& painter, bool lit, int size)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.scale(size / qreal(kBase), size / qreal(kBase));
    DrawPage(painter, lit);
    painter.restore();
}

QImage CalendarPageImage(bool lit, int size)
{
    QImage image = Blank(size);
    QPainter painter(&image);
    PaintCalendarPage(painter, lit, size);
    return image;
}

QIcon CalendarPageIcon()
{
    return QIcon(new DrawnIconEngine([](int size) { return CalendarPageImage(false, size); }));
}

QIcon CalendarPageIconLit()
{
    return QIcon(new DrawnIconEngine([](int size) { return CalendarPageImage(true, size); }));
}

QIcon DayNumberIcon(int day)
{
    return QIcon(new DrawnIconEngine([day](int size) { return DayNumberImage(day, size); }));
}

QIcon IconFromFileOr(const QString& file, const QIcon& fallback)
{
    if (file.trimmed().isEmpty() || !QFileInfo(file).isFile()) {
        return fallback;
    }
    QImageReader reader(file);
    const QImage image = reader.read();
    if (image.isNull()) {
        return fallback;
    }
    return QIcon(QPixmap::fromImage(image));
}

} // namespace morvane
