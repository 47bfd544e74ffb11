#include "calendar_math/DateFormat.h"

#include "calendar_math/QtPrinting.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

struct FormatCase
{
    QDateTime moment;
    const char* pattern;
    const char* expected;
};

void PrintTo(const FormatCase& c, std::ostream* os)
{
    *os << c.pattern << " at " << c.moment.toString(Qt::ISODate).toStdString();
}

class DatePatterns : public testing::TestWithParam<FormatCase>
{
};

TEST_P(DatePatterns, Format)
{
    const FormatCase& c = GetParam();
    EXPECT_EQ(FormatDateTime(c.moment, QString::fromUtf8(c.pattern)),
              QString::fromUtf8(c.expected));
}

QDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

// Friday 3 May 2024, 13:05:07: every pattern the program uses.
const QDateTime kAfternoon = At(2024, 5, 3, 13, 5, 7);

INSTANTIATE_TEST_SUITE_P(
    ProgramPatterns, DatePatterns,
    testing::Values(
        FormatCase{kAfternoon, "yyyy年M月", "2024年5月"},
        FormatCase{kAfternoon, "yyyy/MM", "2024/05"},
        FormatCase{kAfternoon, "yyyy/mmmm", "2024/5月"},
        FormatCase{kAfternoon, "ggge年M月", "令和6年5月"},
        FormatCase{kAfternoon, "ge年M月", "R6年5月"}, FormatCase{kAfternoon, "M月", "5月"},
        FormatCase{kAfternoon, "yy年M月", "24年5月"}, FormatCase{kAfternoon, " h:mm", " 13:05"},
        FormatCase{kAfternoon, "hh:mm", "13:05"}, FormatCase{kAfternoon, "HH:mm", "13:05"},
        FormatCase{kAfternoon, "AM/PM hh:mm", "PM 01:05"},
        FormatCase{kAfternoon, "AMPM hh:mm", "午後 01:05"},
        FormatCase{kAfternoon, "yyyy/m/d(aaa)", "2024/5/3(金)"},
        FormatCase{kAfternoon, "yyyy年M月d日(ddd)", "2024年5月3日(金)"},
        FormatCase{kAfternoon, "yyyy年", "2024年"}, FormatCase{kAfternoon, "ggge/M/D", "令和6/5/3"},
        FormatCase{kAfternoon, "ge/M/D", "R6/5/3"},
        FormatCase{kAfternoon, "ggge年M月D日(", "令和6年5月3日("},
        FormatCase{kAfternoon, "ge年M月D日(", "R6年5月3日("},
        FormatCase{kAfternoon, "yyyy/mm/dd hh:nn", "2024/05/03 13:05"},
        FormatCase{kAfternoon, "yyyy/mm/dd hh:nn.ss", "2024/05/03 13:05.07"},
        FormatCase{kAfternoon, "w", "6"}, FormatCase{kAfternoon, "h", "13"},
        FormatCase{kAfternoon, "n", "5"}));

INSTANTIATE_TEST_SUITE_P(
    Clock, DatePatterns,
    testing::Values(FormatCase{At(2016, 3, 10, 21, 5), "yyyy/mm/dd hh:nn", "2016/03/10 21:05"},
                    FormatCase{At(2024, 5, 1, 9, 5, 7), "yyyy/mm/dd hh:nn.ss",
                               "2024/05/01 09:05.07"},
                    FormatCase{At(2024, 5, 1, 9, 5), " h:mm", " 9:05"},
                    FormatCase{At(2024, 5, 1, 9, 5), "AM/PM hh:mm", "AM 09:05"},
                    FormatCase{At(2024, 5, 1, 9, 5), "AMPM hh:mm", "午前 09:05"},
                    // Noon is afternoon and both twelve o'clocks read 12.
                    FormatCase{At(2024, 5, 1, 12, 0), "AM/PM hh:mm", "PM 12:00"},
                    FormatCase{At(2024, 5, 1, 0, 30), "AMPM hh:mm", "午前 12:30"},
                    FormatCase{At(2024, 5, 1, 23, 59), "AMPM h:mm", "午後 11:59"},
                    FormatCase{At(2024, 5, 1, 0, 30), "hh:mm", "00:30"}));

INSTANTIATE_TEST_SUITE_P(
    EraBoundaries, DatePatterns,
    testing::Values(FormatCase{At(1989, 1, 7), "ggge年M月D日", "昭和64年1月7日"},
                    FormatCase{At(1989, 1, 8), "ggge年M月D日", "平成1年1月8日"},
                    FormatCase{At(1989, 1, 8), "ge/M/D", "H1/1/8"},
                    FormatCase{At(2019, 4, 30), "ggge年M月D日", "平成31年4月30日"},
                    FormatCase{At(2019, 4, 30), "ge/M/D", "H31/4/30"},
                    FormatCase{At(2019, 5, 1), "ggge年M月D日", "令和1年5月1日"},
                    FormatCase{At(2019, 5, 1), "ge/M/D", "R1/5/1"},
                    FormatCase{At(1926, 12, 24), "ggge年", "大正15年"},
                    FormatCase{At(1926, 12, 25), "ge", "S1"},
                    FormatCase{At(1912, 7, 29), "ggge年", "明治45年"},
                    FormatCase{At(1912, 7, 30), "ggge年", "大正1年"},
                    FormatCase{At(1868, 9, 8), "ggge年", "明治1年"},
                    // Before Meiji there is no era: the Western year stands alone.
                    FormatCase{At(1868, 9, 7), "ggge年M月D日", "1868年9月7日"},
                    FormatCase{At(2024, 5, 3), "gg ee", "令 06"}));

INSTANTIATE_TEST_SUITE_P(Tokens, DatePatterns,
                         testing::Values(FormatCase{kAfternoon, "aaaa", "金曜日"},
                                         FormatCase{kAfternoon, "dddd", "金曜日"},
                                         FormatCase{kAfternoon, "y", "124"},
                                         FormatCase{kAfternoon, "mm:ss", "05:07"},
                                         FormatCase{kAfternoon, "am/pm h", "pm 1"},
                                         FormatCase{kAfternoon, "\"yyyy\"年", "yyyy年"},
                                         FormatCase{kAfternoon, "\\d d", "d 3"},
                                         FormatCase{At(2024, 1, 7), "d(aaa) w", "7(日) 1"}));

TEST(DateFormat, DatesAndTimesAlone)
{
    EXPECT_EQ(FormatDate(QDate(2024, 5, 3), u"yyyy/m/d hh:nn"), "2024/5/3 00:00");
    EXPECT_EQ(FormatTime(QTime(9, 30), u"hh:mm"), "09:30");
    EXPECT_EQ(FormatTime(QTime(9, 30), u"yyyy/mm/dd"), "1899/12/30");
    EXPECT_EQ(FormatDate(QDate(), u"yyyy"), "");
    EXPECT_EQ(FormatTime(QTime(), u"hh:mm"), "");
}

TEST(DateFormat, Eras)
{
    EXPECT_EQ(EraOf(QDate(2024, 5, 3)).name, "令和");
    EXPECT_EQ(EraOf(QDate(2024, 5, 3)).firstDay, QDate(2019, 5, 1));
    EXPECT_EQ(EraOf(QDate(1989, 1, 7)).initial, "S");
    EXPECT_EQ(EraYear(QDate(1989, 1, 7)), 64);
    EXPECT_TRUE(EraOf(QDate(1868, 9, 7)).name.isEmpty());
    EXPECT_EQ(EraYear(QDate(1868, 9, 7)), 1868);
}

TEST(NumberFormat, Patterns)
{
    const struct
    {
        qint64 value;
        const char* pattern;
        const char* expected;
    } cases[] = {
        {1234, "##,###日経過", "1,234日経過"},
        {5, "##,###日経過", "5日経過"},
        {1234567, "##,###日経過", "1,234,567日経過"},
        // '#' shows no digit for zero.
        {0, "##,###日経過", "日経過"},
        {12, "K0000", "K0012"},
        {3, "K0000", "K0003"},
        {0, "K0000", "K0000"},
        // Never cut: five digits stay five digits.
        {12345, "K0000", "K12345"},
        {5, "00", "05"},
        {17, "00", "17"},
        {12, "###0", "12"},
        {0, "###0", "0"},
        {-5, "K0000", "-K0005"},
        {7, "件", "件"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatNumber(c.value, QString::fromUtf8(c.pattern)),
                  QString::fromUtf8(c.expected))
            << c.value << " " << c.pattern;
    EXPECT_EQ(FormatNumber(std::numeric_limits<qint64>::min(), u"0"), "-9223372036854775808");
}

} // namespace
} // namespace morvane
