#include "ui_toolkit/CalendarImages.h"

#include <QImage>
#include <QTest>

using namespace morvane;

namespace {

// Counts opaque and see-through pixels of an image.
std::pair<int, int> coverage(const QImage& image)
{
    int opaque = 0;
    int clear = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(image.pixel(x, y));
            if (alpha == 255)
                ++opaque;
            else if (alpha == 0)
                ++clear;
        }
    }
    return {opaque, clear};
}

} // namespace

class CalendarImagesTest : public QObject
{
    Q_OBJECT

private slots:
    void listOrder()
    {
        const ImageList list = CalendarImageList();
        const QStringList expected{"normal_item",   "check_item",   "diary_item", "memorial_item",
                                   "birthday_item", "holiday_item", "tv_item",    "magazine_item",
                                   "memo_item",     "book_close",   "book_open",  "app_close",
                                   "app_open",      "memo_close",   "log_close",  "alarm_item"};
        QCOMPARE(list.keys(), expected);
        QCOMPARE(CalendarImageKeys(), expected);
        QCOMPARE(list.indexOf(QStringLiteral("normal_item")), 1);
        QCOMPARE(list.key(6), QStringLiteral("holiday_item"));
        QCOMPARE(list.indexOf(QStringLiteral("nothing")), 0);
        QVERIFY(list.icon(0).isNull());
        QVERIFY(list.icon(17).isNull());
    }

    // The kind pickers list icons 1 to 8 by position; TypeImageIndex must
    // point at the icon drawn for that kind.
    void typeImageIndex_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("key");
        QTest::newRow("普通の予定") << 0 << 1 << "normal_item";
        QTest::newRow("祝日") << 1 << 6 << "holiday_item";
        QTest::newRow("誕生日") << 2 << 5 << "birthday_item";
        QTest::newRow("記念日") << 3 << 4 << "memorial_item";
        QTest::newRow("イベント") << 4 << 2 << "check_item";
        QTest::newRow("日記") << 5 << 3 << "diary_item";
        QTest::newRow("computed equinox holiday") << 10 << 6 << "holiday_item";
        QTest::newRow("ＴＶ番組") << 20 << 7 << "tv_item";
        QTest::newRow("雑誌") << 21 << 8 << "magazine_item";
        QTest::newRow("unknown") << 6 << 0 << "";
        QTest::newRow("negative") << -1 << 0 << "";
    }

    void typeImageIndex()
    {
        QFETCH(int, type);
        QFETCH(int, index);
        QFETCH(QString, key);
        QCOMPARE(TypeImageIndex(type), index);
        QCOMPARE(TypeImageKey(type), key);
        QCOMPARE(CalendarImageList().key(index), key);
    }

    void everyIconDrawnAt16AndDoubleDensity()
    {
        const ImageList list = CalendarImageList();
        for (const QString& key : list.keys()) {
            for (qreal ratio : {1.0, 2.0}) {
                const QPixmap pixmap = list.pixmap(key, 16, ratio);
                const QByteArray what = (key + QStringLiteral(" at %1x").arg(ratio)).toUtf8();
                QVERIFY2(!pixmap.isNull(), what.constData());
                QCOMPARE(pixmap.size(), QSize(16, 16) * ratio);
                QCOMPARE(pixmap.devicePixelRatio(), ratio);
                // A real picture: a solid body on a see-through ground.
                const auto [opaque, clear] = coverage(pixmap.toImage());
                const int area = pixmap.width() * pixmap.height();
                QVERIFY2(opaque >= area / 5, what.constData());
                QVERIFY2(clear >= area / 50, what.constData());
            }
        }
    }

    void iconsAreDistinct()
    {
        const ImageList list = CalendarImageList();
        QSet<QByteArray> seen;
        for (int i = 1; i <= list.count(); ++i) {
            const QImage image = list.pixmap(i, 16).toImage();
            seen.insert(
                QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
        }
        QCOMPARE(seen.size(), list.count());
    }

    // The viewer appends the shared images after its own, keeping the keys.
    void appendKeepsKeys()
    {
        ImageList viewer;
        QVERIFY(viewer.add(QStringLiteral("header"), ColorSwatchIcon(Qt::red)));
        QVERIFY(!viewer.add(QStringLiteral("header"), QIcon()));
        viewer.append(CalendarImageList());
        QCOMPARE(viewer.count(), 17);
        QCOMPARE(viewer.indexOf(QStringLiteral("normal_item")), 2);
        QCOMPARE(viewer.indexOf(QStringLiteral("log_close")), 16);
        QVERIFY(!viewer.pixmap(QStringLiteral("book_open")).isNull());
    }

    void swatchShowsItsColour()
    {
        const QImage image = ColorSwatchIcon(QColor(0, 0, 255)).pixmap(16, 16).toImage();
        QCOMPARE(image.pixelColor(8, 8), QColor(0, 0, 255));
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    }
};

QTEST_MAIN(CalendarImagesTest)
#include "CalendarImagesTest.moc"
