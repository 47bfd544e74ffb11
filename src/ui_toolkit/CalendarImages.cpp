#include "ui_toolkit/CalendarImages.h"

#include "ui_toolkit/IconArt.h"

#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <algorithm>

namespace morvane {

namespace {

// Draws an icon from its art at exactly the size asked for, so it is sharp
// at 16 px, at 32 px for a 2x screen and at any larger size.
class DrawnIconEngine final : public QIconEngine
{
public:
    DrawnIconEngine(QString key, icon_art::Art art) : m_key(std::move(key)), m_art(art) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap image = pixmap((QSizeF(rect.size()) * ratio).toSize(), mode, state);
        image.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, image);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        if (side <= 0)
            return {};
        const QString cacheKey = QStringLiteral("morvane-icon:%1:%2:%3")
                                     .arg(m_key)
                                     .arg(side)
                                     .arg(static_cast<int>(mode));
        QPixmap cached;
        if (QPixmapCache::find(cacheKey, &cached))
            return cached;

        QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.scale(side / 16.0, side / 16.0);
            m_art(painter);
        }
        if (mode == QIcon::Disabled)
            fade(image);
        cached = QPixmap::fromImage(image);
        QPixmapCache::insert(cacheKey, cached);
        return cached;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        return {side, side};
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        return {QSize(16, 16), QSize(32, 32), QSize(48, 48), QSize(64, 64)};
    }

    QIconEngine* clone() const override { return new DrawnIconEngine(*this); }
    QString key() const override { return QStringLiteral("morvane-drawn"); }

private:
    // The disabled look: grey and half transparent.
    static void fade(QImage& image)
    {
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = line[x];
                const int alpha = qAlpha(pixel) / 2;
                const int grey = qGray(pixel) / 2; // premultiplied: scale with alpha
                line[x] = qRgba(grey, grey, grey, alpha);
            }
        }
    }

    QString m_key;
    icon_art::Art m_art;
};

} // namespace

namespace icon_art {

Art artFor(const QString& key)
{
    static const std::pair<const QString*, Art> table[] = {
        {&ImageKey::NormalItem, normalItem},
        {&ImageKey::CheckItem, checkItem},
        {&ImageKey::DiaryItem, diaryItem},
        {&ImageKey::MemorialItem, memorialItem},
        {&ImageKey::BirthdayItem, birthdayItem},
        {&ImageKey::HolidayItem, holidayItem},
        {&ImageKey::TvItem, tvItem},
        {&ImageKey::MagazineItem, magazineItem},
        {&ImageKey::MemoItem, memoItem},
        {&ImageKey::BookClose, bookClose},
        {&ImageKey::BookOpen, bookOpen},
        {&ImageKey::AppClose, appClose},
        {&ImageKey::AppOpen, appOpen},
        {&ImageKey::MemoClose, memoClose},
        {&ImageKey::LogClose, logClose},
        {&ImageKey::AlarmItem, alarmItem},
    };
    for (const auto& [name, art] : table) {
        if (*name == key)
            return art;
    }
    return nullptr;
}

} // namespace icon_art

QStringList CalendarImageKeys()
{
    return {
        ImageKey::NormalItem,   ImageKey::CheckItem,   ImageKey::DiaryItem, ImageKey::MemorialItem,
        ImageKey::BirthdayItem, ImageKey::HolidayItem, ImageKey::TvItem,    ImageKey::MagazineItem,
        ImageKey::MemoItem,     ImageKey::BookClose,   ImageKey::BookOpen,  ImageKey::AppClose,
        ImageKey::AppOpen,      ImageKey::MemoClose,   ImageKey::LogClose,  ImageKey::AlarmItem};
}

QIcon DrawnIcon(const QString& key)
{
    const icon_art::Art art = icon_art::artFor(key);
    if (art == nullptr)
        return {};
    return QIcon(new DrawnIconEngine(key, art));
}

ImageList CalendarImageList()
{
    ImageList list;
    for (const QString& key : CalendarImageKeys())
        list.add(key, DrawnIcon(key));
    return list;
}

int TypeImageIndex(int type)
{
    switch (type) {
    case 0:
        return 1;
    case 4:
        return 2;
    case 5:
        return 3;
    case 3:
        return 4;
    case 2:
        return 5;
    case 1:
    case 10:
        return 6;
    case 20:
        return 7;
    case 21:
        return 8;
    default:
        return 0;
    }
}

QString TypeImageKey(int type)
{
    const int index = TypeImageIndex(type);
    if (index == 0)
        return {};
    return CalendarImageKeys().at(index - 1);
}

QIcon ColorSwatchIcon(const QColor& color)
{
    QIcon icon;
    for (int side : {16, 32}) {
        QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.scale(side / 16.0, side / 16.0);
            icon_art::framed(painter, 2, 2, 12, 12, color, QColor(0x3d, 0x44, 0x51));
        }
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace morvane
