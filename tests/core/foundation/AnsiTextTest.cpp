#include "core/AnsiText.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

struct AnsiCase
{
    const char16_t* text;
    const char* bytes;
    const char* why;
};

void PrintTo(const AnsiCase& c, std::ostream* os)
{
    *os << c.why;
}

class AnsiEncoding : public ::testing::TestWithParam<AnsiCase>
{
};

TEST_P(AnsiEncoding, BytesAndLengthAgree)
{
    const AnsiCase& c = GetParam();
    const QString text = QString::fromUtf16(c.text);
    const QByteArray expected(c.bytes);
    EXPECT_EQ(ToAnsi(text).toHex(' '), expected.toHex(' '));
    EXPECT_EQ(AnsiByteLength(text), expected.size());
}

INSTANTIATE_TEST_SUITE_P(
    CodePage932, AnsiEncoding,
    ::testing::Values(AnsiCase{u"", "", "empty"}, AnsiCase{u"Morva 2.17", "Morva 2.17", "ascii"},
                      AnsiCase{u"\\~", "\\~", "backslash and tilde stay single bytes"},
                      AnsiCase{u"モルヴァ", "\x83\x82\x83\x8B\x83\x94\x83\x40",
                               "katakana, two bytes each"},
                      AnsiCase{u"表", "\x95\x5C", "kanji whose second byte is a backslash"},
                      AnsiCase{u"ｱｲｳ", "\xB1\xB2\xB3", "half-width katakana, one byte each"},
                      AnsiCase{u"①", "\x87\x40", "NEC special character of code page 932"},
                      AnsiCase{u"～", "\x81\x60", "full-width tilde"},
                      AnsiCase{u"é€", "??", "characters outside code page 932 become ?"},
                      AnsiCase{u"A😀B", "A?B", "a character outside the BMP is one ?"},
                      AnsiCase{u"朝9時😀ｱ",
                               "\x92\xA9"
                               "9"
                               "\x8E\x9E?\xB1",
                               "mixed"}));

TEST(AnsiDecoding, RoundTripsWhatCodePage932Holds)
{
    const QString text = QStringLiteral(u"ＭＳ Ｐゴシック 表ｱ① abc\\~");
    EXPECT_EQ(FromAnsi(ToAnsi(text)), text);
}

TEST(AnsiDecoding, InvalidBytesBecomeReplacementCharacters)
{
    // A lead byte cut off at the end, and a byte no character starts with.
    EXPECT_EQ(FromAnsi(QByteArray("a\x81", 2)), QStringLiteral(u"a\uFFFD"));
    EXPECT_EQ(FromAnsi(QByteArray("\xA0x", 2)), QStringLiteral(u"\uFFFDx"));
    EXPECT_EQ(FromAnsi(QByteArray()), QString());
}

} // namespace
} // namespace morvane
