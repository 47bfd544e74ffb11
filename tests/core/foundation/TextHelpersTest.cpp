#include "core/LineBreaks.h"
#include "core/NumberText.h"
#include "core/TextCollation.h"

#include <gtest/gtest.h>
#include <limits>

namespace morvane {
namespace {

struct OrderCase
{
    const char16_t* before;
    const char16_t* after;
};

class JapaneseOrder : public ::testing::TestWithParam<OrderCase>
{
};

// Each pair in the order a Japanese reader expects, which code unit order
// gets wrong for every pair but the last.
TEST_P(JapaneseOrder, SortsTheFirstBeforeTheSecond)
{
    const QString before = QString::fromUtf16(GetParam().before);
    const QString after = QString::fromUtf16(GetParam().after);
    EXPECT_LT(CompareJapaneseText(before, after), 0) << before.toStdString();
    EXPECT_GT(CompareJapaneseText(after, before), 0) << after.toStdString();
    EXPECT_EQ(CompareJapaneseText(before, before), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, JapaneseOrder,
    ::testing::Values(OrderCase{u"起動", u"終了"},        // き before しゅう
                      OrderCase{u"アサ", u"いぬ"},        // the syllabary, either script
                      OrderCase{u"カキ", u"かく"},        // kana by sound, not by script
                      OrderCase{u"毎年2月", u"毎年10月"}, // numbers by value
                      OrderCase{u"a", u"b"}));

TEST(LineBreaks, StoredAsCrLfAndShownAsLf)
{
    EXPECT_EQ(StoredLineBreaks(QStringLiteral("a\nb\r\nc\rd")), QStringLiteral("a\r\nb\r\nc\r\nd"));
    EXPECT_EQ(StoredLineBreaks(QStringLiteral("a\r\n\r\n")), QStringLiteral("a\r\n\r\n"));
    EXPECT_EQ(ShownLineBreaks(QStringLiteral("a\r\nb\nc\rd")), QStringLiteral("a\nb\nc\nd"));
    EXPECT_EQ(ShownLineBreaks(QStringLiteral("一行")), QStringLiteral("一行"));
}

// Written as QString::number would, padded with zeros in front (the sign
// counting as a digit); appended after what the text held.
TEST(NumberText, AppendsDigitsPaddedLikeTheFormattedNumber)
{
    const qint64 smallest = std::numeric_limits<qint64>::min();
    const qint64 largest = std::numeric_limits<qint64>::max();
    for (const qint64 number : {qint64(0), qint64(7), qint64(12), qint64(9999), qint64(10000),
                                qint64(-5), qint64(-12345), largest, smallest}) {
        for (const int width : {1, 4, 30}) {
            QString text = QStringLiteral("K");
            AppendNumber(text, number, width);
            const QString digits = QString::number(number);
            EXPECT_EQ(text, QStringLiteral("K") +
                                QString(std::max<qsizetype>(0, width - digits.size()),
                                        QLatin1Char('0')) +
                                digits)
                << number << " " << width;
        }
    }
}

} // namespace
} // namespace morvane
