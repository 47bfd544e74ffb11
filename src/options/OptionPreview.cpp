#include "options/OptionPreview.h"

#include "calendar_window/month/SettingColor.h"
#include "calendar_window/window/AlphaBlend.h"
#include "calendar_window/window/FontFallback.h"
#include "calendar_window/window/IconArt.h"
#include "options/PreviewGeometry.h"
#include "ui_toolkit/Twips.h"

#include <QFileInfo>
#include <QFontInfo>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QSettings>
#include <QUrl>
#include <algorithm>

namespace morvane {

namespace {

const char* const kWeekdays[] = {"日", "月", "火", "水", "木", "金", "土"};

QFont PreviewFontOf(const PreviewFont& f)
{
    QFont font(UsableFontFamily(f.name));
    font.setPointSize(std::max(1, f.size));
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QColor FaceColorOfCell(const OptionControls& c, int cell)
{
    if (cell == 0)
        return SettingColor(c.Command3[3]);
    const int column = (cell - 1) % 7;
    if (column == 0)
        return SettingColor(c.Command3[2]);
    if (column == 6)
        return SettingColor(c.Command3[1]);
    return SettingColor(c.Command3[0]);
}

QString CaptionOfCell(int cell)
{
    if (cell <= 7)
        return QString::fromUtf8(kWeekdays[cell - 1]);
    return QString::number(cell - 7);
}

QString WallpaperPathFromText(QString text)
{
    text = text.trimmed();
    if (text.startsWith(QLatin1Char('\'')) && text.endsWith(QLatin1Char('\'')))
        text = text.mid(1, text.size() - 2);
    if (text.startsWith(QLatin1String("file://")))
        text = QUrl(text).toLocalFile();
    return text;
}

} // namespace

QImage ReadDesktopWallpaper()
{
#ifdef Q_OS_WIN
    for (const char* key : {"HKEY_CURRENT_USER\\Software\\Microsoft\\Internet "
                            "Explorer\\Desktop\\General",
                            "HKEY_CURRENT_USER\\Control Panel\\desktop"}) {
        const QSettings reg(QString::fromLatin1(key), QSettings::NativeFormat);
        const QString path = reg.value(QStringLiteral("Wallpaper")).toString();
        if (path.trimmed().size() > 1) {
            QImage image(path);
            if (!image.isNull())
                return image;
        }
    }
    return {};
#else
    // GNOME keeps the picture in gsettings, Xfce in xfconf; a desktop without
    // either leaves the caller's copy of the desktop in place.
    const QList<QStringList> queries{
        {QStringLiteral("gsettings"), QStringLiteral("get"),
         QStringLiteral("org.gnome.desktop.background"), QStringLiteral("picture-uri")},
        {QStringLiteral("xfconf-query"), QStringLiteral("-c"), QStringLiteral("xfce4-desktop"),
         QStringLiteral("-p"), QStringLiteral("/backdrop/screen0/monitor0/workspace0/last-image")}};
    for (const QStringList& query : queries) {
        QProcess process;
        process.start(query.first(), query.mid(1));
        if (!process.waitForFinished(1500) || process.exitCode() != 0)
            continue;
        const QString path =
            WallpaperPathFromText(QString::fromUtf8(process.readAllStandardOutput()));
        if (path.size() > 1 && QFileInfo::exists(path)) {
            QImage image(path);
            if (!image.isNull())
                return image;
        }
    }
    return {};
#endif
}

OptionPreview::OptionPreview(const OptionControls& controls, QWidget* parent)
    : QWidget(parent), m_c(controls)
{
    setObjectName(QStringLiteral("Picture2"));
}

QSize OptionPreview::sizeHint() const
{
    return TwipsToPixels(QSize(136 * kCalendarSizeMax + 1700, 136 * kCalendarSizeMax + 1700)) / 2;
}

void OptionPreview::setWallpaper(const QImage& wallpaper)
{
    if (!wallpaper.isNull())
        m_wallpaper = wallpaper;
}

void OptionPreview::setTitle(const QString& title)
{
    m_title = title;
    refresh();
}

void OptionPreview::refresh()
{
    PaintPreview();
    update();
}

QRect OptionPreview::boxRect() const
{
    const PreviewLayout layout = LayoutPreviewCells(m_c.Slider2, m_c.Check8 || m_c.Check17);
    const QSize box = TwipsToPixels(layout.box);
    return {PreviewBoxLeft(width(), box.width()), std::max(0, (height() - box.height()) / 2),
            box.width(), box.height()};
}

QImage OptionPreview::backgroundLayer(QSize pixels)
{
    // Picture5: the colour, or the picture centred or stretched.
    QImage layer(pixels, QImage::Format_RGB32);
    layer.fill(m_c.Option2 ? SettingColor(kDesktopColor) : SettingColor(m_c.Command2));
    m_pictureFailed = false;
    if (!m_c.Check6 || m_c.Text1.trimmed().isEmpty())
        return layer;
    const QString path = m_c.Text1.trimmed();
    if (path != m_loadedPicturePath) {
        m_picture = QImage(path);
        m_loadedPicturePath = path;
    }
    if (m_picture.isNull()) {
        m_pictureFailed = true;
        return layer;
    }
    QPainter painter(&layer);
    if (m_c.Combo2 == 1) {
        const QRect source(0, 0, std::max(1, m_picture.width() - 10),
                           std::max(1, m_picture.height() - 10));
        painter.drawImage(QRect(QPoint(0, 0), pixels), m_picture, source);
    } else {
        const int dx = (m_picture.width() - pixels.width()) / 2;
        const int dy = (m_picture.height() - pixels.height()) / 2;
        painter.drawImage(QPoint(-dx, -dy), m_picture);
    }
    return layer;
}

void OptionPreview::PaintPreview()
{
    const QRect box = boxRect();
    if (box.isEmpty())
        return;
    QImage layer = backgroundLayer(box.size());
    if (m_c.Check1 && m_c.Slider1 <= kTransparencyMax && !m_wallpaper.isNull()) {
        QImage under = m_wallpaper.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                           .copy(box)
                           .convertToFormat(QImage::Format_RGB32);
        AlphaBlendDC(under, 0, 0, box.width(), box.height(), layer, 0, 0, m_c.Slider1 * 16);
        m_box = under;
    } else {
        m_box = layer;
    }
    QPainter painter(&m_box);
    DrawPreviewBox(painter);
    paintCells(painter);
}

void OptionPreview::DrawPreviewBox(QPainter& painter)
{
    if (!m_c.Option3)
        return;
    const int w = m_box.width();
    const int h = m_box.height();
    const int inner = TwipsToPixelsX(10);
    painter.setPen(QPen(SettingColor(m_c.Command4), 3));
    painter.drawLine(0, 0, w - inner, 0);
    painter.drawLine(0, 0, 0, h);
    painter.drawLine(w - inner, 0, w - inner, h);
    painter.setPen(QPen(SettingColor(m_c.Command4), 1));
    const int rule = TwipsToPixelsY(300);
    painter.drawLine(TwipsToPixelsX(80), rule, w - TwipsToPixelsX(80), rule);
}

void OptionPreview::paintCells(QPainter& painter)
{
    painter.setRenderHint(QPainter::TextAntialiasing);
    const bool jumpOrMemo = m_c.Check8 || m_c.Check17;
    const PreviewLayout layout = LayoutPreviewCells(m_c.Slider2, jumpOrMemo);
    const QFont titleFont = PreviewFontOf(m_c.titleFont);
    // The day numbers are fitted to the grid exactly as the calendar fits
    // them, so the preview shows the size the calendar will use.
    const QFont dayFont = FitDayNumberFont(PreviewFontOf(m_c.dayFont), layout.calendar, m_inks);
    QFont markFont(UsableFontFamily(StandardJapaneseFontName()));
    markFont.setPointSize(std::max(1, m_c.markSize));
    const QColor shadow = SettingColor(m_c.Command3[4]);

    auto drawText = [&](QPoint shadowTwips, const QString& text, const QFont& font,
                        const QColor& face) {
        painter.setFont(font);
        const int ascent = QFontMetrics(font).ascent();
        const QPoint s = TwipsToPixels(shadowTwips) + QPoint(0, ascent);
        const QPoint f =
            TwipsToPixels(shadowTwips - QPoint(FaceOffset, FaceOffset)) + QPoint(0, ascent);
        painter.setPen(shadow);
        painter.drawText(s, text);
        painter.setPen(face);
        painter.drawText(f, text);
    };

    // The mark lies behind the day numbers, at the place of day 14.
    painter.setFont(markFont);
    painter.setPen(QColor(255, 255, 0));
    painter.drawText(TwipsToPixels(layout.mark) + QPoint(0, QFontMetrics(markFont).ascent()),
                     QStringLiteral("●"));

    // Today (day 10): its shadow label is opaque in the today colour of the
    // colour page, so a colour just picked shows before it is applied.
    const QFontMetrics dayMetrics(dayFont);
    const QPoint today = TwipsToPixels(layout.shadow[kPreviewTodayCell]);
    painter.fillRect(QRect(today, QSize(dayMetrics.horizontalAdvance(QStringLiteral("10")) + 2,
                                        dayMetrics.height())),
                     SettingColor(m_c.Command3[5]));

    for (int cell = 1; cell < kPreviewCellCount; ++cell)
        drawText(layout.shadow[std::size_t(cell)], CaptionOfCell(cell),
                 cell <= 7 ? titleFont : dayFont, FaceColorOfCell(m_c, cell));

    const int titleWidth = PixelsToTwipsX(QFontMetrics(titleFont).horizontalAdvance(m_title));
    const QPoint title =
        PreviewTitlePosition(layout.box.width(), titleWidth, m_c.Check3, m_c.Check8);
    drawText(title, m_title, titleFont, FaceColorOfCell(m_c, 0));

    const qreal scale = devicePixelRatioF();
    if (m_c.Check3) {
        painter.drawImage(TwipsToPixels(layout.icons.previousMonth), PreviousMonthIcon(scale));
        painter.drawImage(TwipsToPixels(layout.icons.nextMonth), NextMonthIcon(scale));
    }
    if (m_c.Check8)
        painter.drawImage(TwipsToPixels(layout.icons.jump), JumpIcon(scale));
    if (m_c.Check17)
        painter.drawImage(TwipsToPixels(layout.icons.memo), MemoIcon(scale));
}

void OptionPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_wallpaper.isNull())
        painter.drawImage(rect(), m_wallpaper);
    else
        painter.fillRect(rect(), palette().dark());
    if (!m_c.Check7 || m_box.isNull())
        return;
    const QRect box = boxRect();
    QPainterPath outline;
    if (m_c.Check11)
        outline.addRoundedRect(QRectF(box), 15, 15);
    else
        outline.addRect(QRectF(box));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipPath(outline);
    painter.drawImage(box.topLeft(), m_box);
}

void OptionPreview::resizeEvent(QResizeEvent*)
{
    PaintPreview();
}

} // namespace morvane
