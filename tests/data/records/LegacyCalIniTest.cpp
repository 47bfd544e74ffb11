#include "data/records/LegacyCalIni.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

TEST(ListInputTest, SplitsOnCommasAndLineEndsWithQuotedFieldsVerbatim)
{
    const QString text = QStringLiteral("2026/12/08,\"会議, 本社\",12,\" 09:30\"\r\n"
                                        "  9999/99/15 , 給料日 ,0,\r\n"
                                        "\r\n"
                                        "\"a\"junk,\"unclosed\r\n");
    const QStringList expected{
        QStringLiteral("2026/12/08"), QStringLiteral("会議, 本社"),
        QStringLiteral("12"),         QStringLiteral(" 09:30"),
        QStringLiteral("9999/99/15"), QStringLiteral("給料日"),
        QStringLiteral("0"),          QString(),
        QStringLiteral("a"),          QStringLiteral("unclosed"),
    };
    EXPECT_EQ(ReadListInputFields(text), expected);
}

TEST(ListInputTest, EntriesTakeFourFieldsEachAcrossLinesAndDropAnIncompleteTail)
{
    const std::vector<LegacyEntry> entries = ParseLegacyEntries(
        QStringLiteral("2026/01/05,仕事始め\n4,\n9999/02/14,チョコ,0,\"12:00\"\n2026/03/01,x"));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].code, QStringLiteral("2026/01/05"));
    EXPECT_EQ(entries[0].message, QStringLiteral("仕事始め"));
    EXPECT_EQ(entries[0].color, QStringLiteral("4"));
    EXPECT_EQ(entries[0].alarm, QString());
    EXPECT_EQ(entries[1].alarm, QStringLiteral("12:00"));
}

constexpr std::nullopt_t Null = std::nullopt;

struct CodeCase
{
    const char* code;
    std::optional<int> color;
    LegacyDateFields expected;
};

void PrintTo(const CodeCase& c, std::ostream* os)
{
    *os << c.code;
}

class ConvertLegacyDateCodeTest : public ::testing::TestWithParam<CodeCase>
{
};

TEST_P(ConvertLegacyDateCodeTest, GivesTheRecordFields)
{
    const CodeCase& c = GetParam();
    const LegacyDateFields f = ConvertLegacyDateCode(QString::fromLatin1(c.code), c.color);
    const LegacyDateFields& e = c.expected;
    EXPECT_EQ(f.fifthWeekOrLater, e.fifthWeekOrLater);
    if (e.fifthWeekOrLater)
        return;
    EXPECT_EQ(f.type, e.type);
    EXPECT_EQ(f.year, e.year);
    EXPECT_EQ(f.month, e.month);
    EXPECT_EQ(f.day, e.day);
    EXPECT_EQ(f.week, e.week);
    EXPECT_EQ(f.dayOfTheWeek, e.dayOfTheWeek);
}

//                                  type year month day week weekday
INSTANTIATE_TEST_SUITE_P(
    Codes, ConvertLegacyDateCodeTest,
    ::testing::Values(CodeCase{"2026/12/08", 0, {0, 2026, 12, 8, Null, Null}},
                      CodeCase{"2026/12/8", 0, {0, 2026, 12, 8, Null, Null}},
                      CodeCase{"9999/99/15", 4, {4, 0, 0, 15, Null, Null}},
                      CodeCase{"9999/99/15", 12, {1, 0, 0, 15, Null, Null}},
                      CodeCase{"9999/99/5", 0, {4, 0, 0, 5, Null, Null}},
                      CodeCase{"9999/05/05", 12, {1, 0, 5, 5, Null, Null}},
                      CodeCase{"9999/03/Vernal", 12, {10, 0, 3, Null, Null, Null}},
                      CodeCase{"9999/09/Autumnal", 12, {10, 0, 9, Null, Null, Null}},
                      CodeCase{"9999/01/2mon", 12, {1, 0, 1, Null, 2, 2}},
                      CodeCase{"2026/05/2sun", 0, {0, 2026, 5, Null, 2, 1}},
                      CodeCase{"9999/99/4sat", 0, {4, 0, 0, Null, 4, 7}},
                      CodeCase{"9999/11/1xyz", 0, {4, 0, 11, Null, 1, Null}},
                      // The first versions kept every-year dates in 1950.
                      CodeCase{"1950/07/07", 0, {0, 0, 7, 7, Null, Null}},
                      CodeCase{"1950/99/20", 0, {0, 0, 1, 20, Null, Null}},
                      CodeCase{"1950/02/30", 0, {0, 1950, 2, 30, Null, Null}},
                      CodeCase{"9999/06/5fri", 0, {Null, Null, Null, Null, Null, Null, true}},
                      CodeCase{"2026/99/5wed", 0, {Null, Null, Null, Null, Null, Null, true}}));

TEST(LegacyColorCodeTest, ReadsNumbersAsTheOldRuntimeDid)
{
    EXPECT_EQ(LegacyColorCode(QStringLiteral(" 12 ")), 12);
    EXPECT_EQ(LegacyColorCode(QStringLiteral("12.0")), 12) << "a holiday must stay a holiday";
    EXPECT_EQ(LegacyColorCode(QStringLiteral("9.5")), 10);
    EXPECT_EQ(LegacyColorCode(QStringLiteral("10.5")), 10);
    EXPECT_EQ(LegacyColorCode(QString()), Null);
    EXPECT_EQ(LegacyColorCode(QStringLiteral("red")), Null);
    EXPECT_EQ(LegacyColorCode(QStringLiteral("1e9")), Null);
    EXPECT_EQ(LegacyColorCode(QStringLiteral("nan")), Null);
}

TEST(LegacyCalIniTest, FifthWeekWarningNamesTheEntry)
{
    EXPECT_EQ(
        FifthWeekWarningText(QStringLiteral("第5金曜")),
        QStringLiteral("第５週以降の予定があります。\r\nこの予定を削除します。\r\n\r\n(第5金曜)"));
}

TEST(LegacyCalIniTest, WarningsShowTheStartOfALongTextAndCountTheRest)
{
    // Cut at 100 characters, never between the halves of a surrogate pair.
    const QString longText =
        QString(99, QChar(u'あ')) + QStringLiteral(u"😀") + QStringLiteral("tail");
    EXPECT_EQ(ShownPartOfMessage(longText), QString(99, QChar(u'あ')) + QStringLiteral(u"…"));
    EXPECT_EQ(ShownPartOfMessage(QString(100, QChar(u'x'))), QString(100, QChar(u'x')));

    QStringList messages;
    for (int i = 1; i <= 12; ++i)
        messages.append(QStringLiteral("会%1").arg(i));
    const QString text = FifthWeekWarningText(messages);
    EXPECT_TRUE(text.startsWith(QStringLiteral("第５週以降の予定が 12 件あります。\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\r\n(会10)")));
    EXPECT_FALSE(text.contains(QStringLiteral("(会11)")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\nほか 2 件")));
    // One entry reads as before.
    EXPECT_EQ(FifthWeekWarningText(QStringList{QStringLiteral("第5金曜")}),
              FifthWeekWarningText(QStringLiteral("第5金曜")));
}

} // namespace
} // namespace morvane
