#include "calendar_window/dialogs/AboutFrm.h"
#include "calendar_window/dialogs/JumpInput.h"
#include "calendar_window/dialogs/SetDateFrm.h"
#include "calendar_window/dialogs/VersionText.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

using Fault = JumpInput::Fault;

struct JumpCase
{
    const char* year;
    const char* month;
    Fault fault;
};

void PrintTo(const JumpCase& c, std::ostream* out)
{
    *out << '"' << c.year << "\" / \"" << c.month << '"';
}

class JumpChecks : public ::testing::TestWithParam<JumpCase>
{
};

TEST_P(JumpChecks, YearFirstThenMonth)
{
    const JumpCase& c = GetParam();
    EXPECT_EQ(CheckJumpInput(QString::fromUtf8(c.year), QString::fromUtf8(c.month)).fault, c.fault);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, JumpChecks,
    ::testing::Values(JumpCase{"2024", "5", Fault::None},
                      // 1950 is on the spin buttons but not accepted; 2050 the reverse.
                      JumpCase{"1950", "5", Fault::Year}, JumpCase{"1951", "1", Fault::None},
                      JumpCase{"2050", "12", Fault::None}, JumpCase{"2051", "5", Fault::Year},
                      JumpCase{"2024", "0", Fault::Month}, JumpCase{"2024", "13", Fault::Month},
                      JumpCase{"2024", "05", Fault::None},
                      // Only the first fault is reported.
                      JumpCase{"1900", "13", Fault::Year},
                      // Nothing numeric counts as 0.
                      JumpCase{"", "5", Fault::Year}, JumpCase{"2024", "", Fault::Month},
                      JumpCase{"99999999999999999999", "5", Fault::Year}));

TEST(JumpChecks, ValuesAndMessages)
{
    const JumpInput input = CheckJumpInput(QStringLiteral("2030"), QStringLiteral("07"));
    EXPECT_EQ(input.year, 2030);
    EXPECT_EQ(input.month, 7);
    EXPECT_EQ(JumpFaultMessage(Fault::Year),
              QStringLiteral("西暦には1951～2050の値を指定してください。"));
    EXPECT_EQ(JumpFaultMessage(Fault::Month),
              QStringLiteral("月には1～12の値を指定してください。"));
}

TEST(VersionText, MinorInTwoDigitsRevisionOnlyWhenSet)
{
    EXPECT_EQ(VersionText(2, 17, 0), QStringLiteral("Version 2.17"));
    EXPECT_EQ(VersionText(2, 5, 12), QStringLiteral("Version 2.05.12"));
    EXPECT_EQ(VersionText(3, 0, 0), QStringLiteral("Version 3.00"));
    EXPECT_EQ(VersionText(2, 117, 1003), QStringLiteral("Version 2.117.1003"));
    EXPECT_EQ(RunningVersionText(), QStringLiteral("Version 2.17"));
}

TEST(AboutCounts, Texts)
{
    EXPECT_EQ(ScheduleCountText(27), QStringLiteral("予定件数 ：  27件"));
    EXPECT_EQ(MemoCountText(0), QStringLiteral("メモ件数 ：  0件"));
}

TEST(SetDateInitialDate, TodaysDayOrTheLastDayOfTheMonth)
{
    EXPECT_EQ(SetDateFrm::InitialDate(QDate(2024, 6, 1), QDate(2024, 5, 31)), QDate(2024, 6, 30));
    EXPECT_EQ(SetDateFrm::InitialDate(QDate(2023, 2, 1), QDate(2024, 5, 30)), QDate(2023, 2, 28));
    EXPECT_EQ(SetDateFrm::InitialDate(QDate(2024, 2, 1), QDate(2024, 5, 29)), QDate(2024, 2, 29));
    EXPECT_EQ(SetDateFrm::InitialDate(QDate(2030, 8, 1), QDate(2024, 5, 3)), QDate(2030, 8, 3));
}

} // namespace
} // namespace morvane
