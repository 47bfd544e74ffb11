#include "calendar_window/window/AlphaBlend.h"
#include "calendar_window/window/BackgroundPicture.h"

#include <QImage>
#include <gtest/gtest.h>

namespace morvane {
namespace {

QImage Filled(QSize size, QRgb colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

struct BlendCase
{
    const char* name;
    QRgb source;
    QRgb destination;
    int weight;
    QRgb expected;
};

class AlphaBlendTest : public testing::TestWithParam<BlendCase>
{
};

TEST_P(AlphaBlendTest, BlendsEachColourByte)
{
    const BlendCase& c = GetParam();
    QImage desktop = Filled({4, 3}, c.destination);
    const QImage background = Filled({4, 3}, c.source);
    AlphaBlendDC(desktop, 0, 0, 4, 3, background, 0, 0, c.weight);
    EXPECT_EQ(desktop.pixel(0, 0) & 0xFFFFFF, c.expected & 0xFFFFFF);
    EXPECT_EQ(desktop.pixel(3, 2) & 0xFFFFFF, c.expected & 0xFFFFFF);
}

INSTANTIATE_TEST_SUITE_P(
    Weights, AlphaBlendTest,
    testing::Values(
        // Weight 0 shows only the calendar background, 256 only the desktop.
        BlendCase{"weight0", qRgb(10, 20, 30), qRgb(200, 150, 100), 0, qRgb(10, 20, 30)},
        BlendCase{"weight256", qRgb(10, 20, 30), qRgb(200, 150, 100), 256, qRgb(200, 150, 100)},
        // 200 + 128 * (100 - 200) / 256 = 150; 101 + 128 * (0 - 101) / 256
        // = 101 - 50 (toward zero, not down to -51) = 51.
        BlendCase{"half", qRgb(200, 101, 0), qRgb(100, 0, 255), 128, qRgb(150, 51, 127)},
        // The default Transparency_value 8 gives weight 128 too; 6 gives 96.
        BlendCase{"weight96", qRgb(255, 255, 255), qRgb(0, 0, 0), 96, qRgb(160, 160, 160)},
        // Black is the transparent key: the desktop stays, whatever the weight.
        BlendCase{"blackKey0", qRgb(0, 0, 0), qRgb(200, 150, 100), 0, qRgb(200, 150, 100)},
        BlendCase{"blackKey128", qRgb(0, 0, 0), qRgb(200, 150, 100), 128, qRgb(200, 150, 100)},
        // Nearly black is not the key.
        BlendCase{"nearBlack", qRgb(0, 0, 1), qRgb(0, 0, 0), 0, qRgb(0, 0, 1)}),
    [](const testing::TestParamInfo<BlendCase>& info) { return std::string(info.param.name); });

TEST(AlphaBlendBlock, TouchesOnlyTheBlockAndReadsTheSourceFromItsOrigin)
{
    QImage desktop = Filled({6, 6}, qRgb(100, 100, 100));
    QImage background = Filled({6, 6}, qRgb(0, 0, 0));
    background.setPixel(1, 1, qRgb(20, 40, 60));
    AlphaBlendDC(desktop, 2, 3, 2, 2, background, 1, 1, 0);
    EXPECT_EQ(desktop.pixel(2, 3) & 0xFFFFFF, qRgb(20, 40, 60) & 0xFFFFFF);
    EXPECT_EQ(desktop.pixel(3, 3) & 0xFFFFFF, qRgb(100, 100, 100) & 0xFFFFFF); // black source
    EXPECT_EQ(desktop.pixel(1, 3) & 0xFFFFFF, qRgb(100, 100, 100) & 0xFFFFFF); // outside
}

TEST(AlphaBlendBlock, ClipsABlockLargerThanEitherImage)
{
    QImage desktop = Filled({3, 3}, qRgb(0, 0, 0));
    const QImage background = Filled({2, 2}, qRgb(50, 50, 50));
    AlphaBlendDC(desktop, -1, 0, 10, 10, background, 0, 0, 0);
    EXPECT_EQ(desktop.pixel(0, 0) & 0xFFFFFF, qRgb(50, 50, 50) & 0xFFFFFF);
    EXPECT_EQ(desktop.pixel(0, 1) & 0xFFFFFF, qRgb(50, 50, 50) & 0xFFFFFF);
    EXPECT_EQ(desktop.pixel(1, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(desktop.pixel(2, 2) & 0xFFFFFF, 0u);
}

// A picture of four quadrants, so a test can see which part lands where.
QImage Quadrants(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const bool right = x >= size.width() / 2;
            const bool bottom = y >= size.height() / 2;
            image.setPixel(x, y, qRgb(right ? 255 : 10, bottom ? 255 : 10, 80));
        }
    }
    return image;
}

TEST(CalendarBackground, APictureTwiceTheSizeShowsItsMiddle)
{
    const QColor back(1, 2, 3);
    const QImage picture = Quadrants({200, 160});
    const QImage result = ComposeCalendarBackground({100, 80}, back, picture, PictureCentred);
    // The window sees the middle 100 x 80 of the picture: the centre of the
    // picture lands on the centre of the window.
    EXPECT_EQ(result.pixel(0, 0), picture.pixel(50, 40));
    EXPECT_EQ(result.pixel(49, 39), picture.pixel(99, 79));
    EXPECT_EQ(result.pixel(50, 40), picture.pixel(100, 80));
    EXPECT_EQ(result.pixel(99, 79), picture.pixel(149, 119));
}

TEST(CalendarBackground, APictureHalfTheSizeSitsInTheMiddleOnTheBackColour)
{
    const QColor back(1, 2, 3);
    const QImage picture = Quadrants({50, 40});
    const QImage result = ComposeCalendarBackground({100, 80}, back, picture, PictureCentred);
    EXPECT_EQ(result.pixel(24, 19), back.rgb());
    EXPECT_EQ(result.pixel(25, 20), picture.pixel(0, 0));
    EXPECT_EQ(result.pixel(74, 59), picture.pixel(49, 39));
    EXPECT_EQ(result.pixel(75, 60), back.rgb());
}

TEST(CalendarBackground, AFittedPictureCoversTheWholeBackground)
{
    const QImage picture = Quadrants({60, 60});
    const QImage result = ComposeCalendarBackground({120, 90}, QColor(1, 2, 3), picture, 1);
    EXPECT_EQ(result.pixel(2, 2), picture.pixel(0, 0));
    EXPECT_EQ(qRed(result.pixel(117, 87)), 255);
    EXPECT_EQ(qGreen(result.pixel(117, 87)), 255);
}

TEST(CalendarBackground, WithoutAPictureItIsTheBackColour)
{
    const QImage result = ComposeCalendarBackground({10, 10}, QColor(9, 8, 7), QImage(), 0);
    EXPECT_EQ(result.pixel(5, 5), QColor(9, 8, 7).rgb());
}

} // namespace
} // namespace morvane
