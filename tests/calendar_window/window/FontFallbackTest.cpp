#include "calendar_window/window/FontFallback.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

struct FallbackCase
{
    const char* name;
    QString wanted;
    QStringList installed;
    QString expected;
};

class FontFallbackTest : public testing::TestWithParam<FallbackCase>
{
};

TEST_P(FontFallbackTest, PicksTheFirstUsableFamily)
{
    const FallbackCase& c = GetParam();
    EXPECT_EQ(UsableFontFamily(c.wanted, c.installed, QStringLiteral("General")), c.expected);
}

const QString kStandard = QStringLiteral(u"ＭＳ Ｐゴシック");

INSTANTIATE_TEST_SUITE_P(
    Families, FontFallbackTest,
    testing::Values(FallbackCase{"installedNameStays",
                                 QStringLiteral("Comic Sans MS"),
                                 {QStringLiteral("Comic Sans MS"), kStandard},
                                 QStringLiteral("Comic Sans MS")},
                    FallbackCase{"caseDoesNotMatter",
                                 QStringLiteral("comic sans ms"),
                                 {QStringLiteral("Comic Sans MS")},
                                 QStringLiteral("comic sans ms")},
                    FallbackCase{"missingFallsBackToTheStandardFont",
                                 QStringLiteral("Gone Font"),
                                 {kStandard, QStringLiteral("Noto Sans CJK JP")},
                                 kStandard},
                    FallbackCase{
                        "withoutTheStandardFontAJapaneseSans",
                        kStandard,
                        {QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK JP")},
                        QStringLiteral("Noto Sans CJK JP")},
                    FallbackCase{"blankNameFallsBack",
                                 QStringLiteral("  "),
                                 {QStringLiteral("IPAPGothic")},
                                 QStringLiteral("IPAPGothic")},
                    FallbackCase{"noJapaneseFontAtAll",
                                 kStandard,
                                 {QStringLiteral("DejaVu Sans")},
                                 QStringLiteral("General")}),
    [](const testing::TestParamInfo<FallbackCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace morvane
