#include "calendar_window/tray/TrayIconArt.h"

#include <QPainter>
#include <QTest>
#include <tuple>

namespace morvane {

class TrayIconArtTest : public QObject
{
    Q_OBJECT

private:
    static int WhitePixels(const QImage& image)
    {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixelColor(x, y) == QColor(Qt::white);
        return count;
    }

private slots:
    void smallDayPictureIsAPixelExactRoundedSquare()
    {
        const QImage square = DayNumberImage(0, 16);
        QCOMPARE(square.size(), QSize(16, 16));
        QCOMPARE(square.pixelColor(0, 0).alpha(), 0);             // cut corner
        QCOMPARE(square.pixelColor(15, 15).alpha(), 0);           // cut corner
        QCOMPARE(square.pixelColor(8, 0), QColor(150, 150, 150)); // thin grey border
        QCOMPARE(square.pixelColor(8, 8), QColor(Qt::black));
        QCOMPARE(WhitePixels(square), 0); // day 0: no number
    }

    void everyDayHasItsOwnNumber()
    {
        QList<QImage> seen;
        for (int day = 1; day <= 31; ++day) {
            const QImage image = DayNumberImage(day, 16);
            QVERIFY2(WhitePixels(image) > 5, qPrintable(QString::number(day)));
            QVERIFY2(!seen.contains(image), qPrintable(QString::number(day)));
            seen << image;
            QVERIFY2(WhitePixels(DayNumberImage(day, 32)) > 20, qPrintable(QString::number(day)));
        }
    }

    void litPageHasALightBackground()
    {
        QCOMPARE(CalendarPageImage(false, 16).pixelColor(0, 0).alpha(), 0);
        QVERIFY(CalendarPageImage(true, 16).pixelColor(0, 0).lightness() > 180);
        // The larger picture is the same art at twice the size.
        QCOMPARE(CalendarPageImage(false, 32).pixelColor(9, 15),
                 CalendarPageImage(false, 16).pixelColor(4, 7));
    }

    // A tray of 22 points on a screen of scale 2 shows 44 pixels: the icon
    // hands over a picture drawn at 44, whether the tray asks for a pixmap
    // or paints the icon into its own high-density surface.
    void drawnAtTheDeviceSize_data()
    {
        QTest::addColumn<QIcon>("icon");
        QTest::addColumn<QImage>("drawnAt44");
        QTest::addColumn<bool>("painted");
        const QList<std::tuple<const char*, QIcon, QImage>> icons{
            {"page", CalendarPageIcon(), CalendarPageImage(false, 44)},
            {"lit page", CalendarPageIconLit(), CalendarPageImage(true, 44)},
            {"day 15", DayNumberIcon(15), DayNumberImage(15, 44)},
        };
        for (const auto& [name, icon, image] : icons) {
            QTest::addRow("%s, pixmap", name) << icon << image << false;
            QTest::addRow("%s, painted", name) << icon << image << true;
        }
    }

    void drawnAtTheDeviceSize()
    {
        QFETCH(QIcon, icon);
        QFETCH(QImage, drawnAt44);
        QFETCH(bool, painted);
        QImage shown;
        if (painted) {
            shown = QImage(44, 44, QImage::Format_ARGB32_Premultiplied);
            shown.setDevicePixelRatio(2.0);
            shown.fill(Qt::transparent);
            QPainter painter(&shown);
            icon.paint(&painter, QRect(0, 0, 22, 22));
        } else {
            shown = icon.pixmap(QSize(22, 22), 2.0).toImage();
            QCOMPARE(shown.devicePixelRatio(), 2.0);
        }
        QCOMPARE(shown.size(), QSize(44, 44));
        shown.setDevicePixelRatio(1.0);
        QCOMPARE(shown.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                 drawnAt44.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }

    void missingFilesKeepTheFallback()
    {
        const QIcon fallback = CalendarPageIcon();
        QCOMPARE(IconFromFileOr(QString(), fallback).cacheKey(), fallback.cacheKey());
        QCOMPARE(IconFromFileOr(QStringLiteral("/no/such/file.ico"), fallback).cacheKey(),
                 fallback.cacheKey());
    }
};

} // namespace morvane

QTEST_MAIN(morvane::TrayIconArtTest)
#include "TrayIconArtTest.moc"
