#include "data/records/InitialScheduleSet.h"

#include "data/engine/DatabaseEngine.h"
#include "data/records/DaySchedules.h"
#include "data/records/ScheduleDatabase.h"
#include "data/records/ScheduleFields.h"
#include "data/records/SchedulePattern.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace morvane {
namespace {

namespace f = schedule_fields;

std::vector<InitialScheduleEntry> Holidays()
{
    std::vector<InitialScheduleEntry> ticked;
    for (const InitialScheduleEntry& entry : InitialScheduleEntries()) {
        if (entry.holiday)
            ticked.push_back(entry);
    }
    return ticked;
}

TEST(InitialScheduleEntriesTest, OffersTwentySevenEntriesInDateOrder)
{
    const auto entries = InitialScheduleEntries();
    ASSERT_EQ(entries.size(), 27u);
    EXPECT_EQ(Holidays().size(), 16u);

    int previousMonth = 0;
    for (const InitialScheduleEntry& entry : entries) {
        SCOPED_TRACE(entry.text.toStdString());
        EXPECT_EQ(entry.code.size(), 14);
        const TemplateFields fields = DecodeTemplateCode(entry.code);
        EXPECT_GE(fields.month, previousMonth);
        previousMonth = fields.month;
        EXPECT_EQ(entry.kind, fields.type);
        EXPECT_EQ(fields.color, entry.holiday ? 12 : 0);
    }
}

TEST(InitialScheduleEntriesTest, OffersTodaysHolidayNames)
{
    const auto entries = InitialScheduleEntries();
    auto find = [&](const QString& text) {
        return std::find_if(entries.begin(), entries.end(),
                            [&](const InitialScheduleEntry& e) { return e.text == text; });
    };
    const auto emperor = find(QStringLiteral("天皇誕生日"));
    ASSERT_NE(emperor, entries.end());
    EXPECT_EQ(emperor->code, QStringLiteral("0100000223xx12"));
    EXPECT_EQ(emperor->shownDate, QStringLiteral("２月２３日"));
    EXPECT_GT(emperor, find(QStringLiteral("建国記念の日")));
    EXPECT_LT(emperor, find(QStringLiteral("ひなまつり")));

    const auto sports = find(QStringLiteral("スポーツの日"));
    ASSERT_NE(sports, entries.end());
    EXPECT_EQ(sports->code, QStringLiteral("01000010xx2212"));
    EXPECT_EQ(sports->shownDate, QStringLiteral("１０月第２月曜日"));
    EXPECT_EQ(find(QStringLiteral("体育の日")), entries.end());
}

class CreateInitialSchedulesTest : public ::testing::Test
{
protected:
    CreateInitialSchedulesTest() : m_opened(OpenScheduleDatabase(m_folder.path())) {}
    ScheduleDatabase& db() { return *m_opened.database; }

    QStringList MessagesOn(const QDate& date)
    {
        Recordset& rs = db().schedules();
        QStringList messages;
        for (int position : FindSchedulesOn(rs, date)) {
            rs.SetAbsolutePosition(position);
            messages.append(rs.GetValue(f::Message).toString());
        }
        return messages;
    }

    QTemporaryDir m_folder;
    OpenScheduleResult m_opened;
};

TEST_F(CreateInitialSchedulesTest, TheDefaultTicksCreateTheSixteenHolidays)
{
    ASSERT_EQ(m_opened.outcome, OpenOutcome::CreatedNew);
    const std::vector<InitialScheduleEntry> holidays = Holidays();
    EXPECT_EQ(CreateInitialSchedules(db(), holidays), 16);

    Recordset& rs = db().schedules();
    ASSERT_EQ(rs.RecordCount(), 16);
    int index = 0;
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext(), ++index) {
        SCOPED_TRACE(holidays[std::size_t(index)].text.toStdString());
        EXPECT_EQ(rs.GetValue(f::Message).toString(), holidays[std::size_t(index)].text);
        EXPECT_EQ(rs.GetValue(f::Color).toInt(), 12);
        for (const QString& unset : {f::Mark, f::BirthYear, f::BirthPerson, f::StartTime,
                                     f::EndTime, f::Alarm, f::AlarmFlag})
            EXPECT_TRUE(rs.GetValue(unset).isNull()) << unset.toStdString();
    }

    // The vernal equinox: Type 10, March, no day or weekday.
    rs.FindFirst(QStringLiteral("[Message] = '春分の日'"));
    ASSERT_FALSE(rs.NoMatch());
    const SchedulePattern equinox = ReadSchedulePattern(rs);
    EXPECT_EQ(equinox.type, 10);
    EXPECT_EQ(equinox.month, 3);
    EXPECT_FALSE(equinox.day || equinox.week || equinox.dayOfTheWeek);

    // Coming of Age Day: second Monday of January, no day.
    rs.FindFirst(QStringLiteral("[Message] = '成人の日'"));
    const SchedulePattern comingOfAge = ReadSchedulePattern(rs);
    EXPECT_EQ(comingOfAge.month, 1);
    EXPECT_EQ(comingOfAge.week, 2);
    EXPECT_EQ(comingOfAge.dayOfTheWeek, 2);
    EXPECT_FALSE(comingOfAge.day);

    EXPECT_EQ(MessagesOn(QDate(2026, 3, 20)), QStringList({"春分の日"}));
    EXPECT_EQ(MessagesOn(QDate(2026, 3, 21)), QStringList());
    EXPECT_EQ(MessagesOn(QDate(2026, 1, 12)), QStringList({"成人の日"}));
    EXPECT_EQ(MessagesOn(QDate(2026, 2, 23)), QStringList({"天皇誕生日"}));
    EXPECT_EQ(MessagesOn(QDate(2026, 10, 12)), QStringList({"スポーツの日"}));
    EXPECT_EQ(MessagesOn(QDate(2026, 9, 23)), QStringList({"秋分の日"}));
    EXPECT_EQ(MessagesOn(QDate(2026, 12, 23)), QStringList());
}

TEST_F(CreateInitialSchedulesTest, AllOrNoneOfTheEntries)
{
    EXPECT_EQ(CreateInitialSchedules(db(), {}), 0);
    EXPECT_EQ(db().schedules().RecordCount(), 0);

    EXPECT_EQ(CreateInitialSchedules(db(), InitialScheduleEntries()), 27);
    EXPECT_EQ(db().schedules().RecordCount(), 27);
    EXPECT_EQ(MessagesOn(QDate(2026, 12, 24)), QStringList({"クリスマスイブ"}));
    Recordset& rs = db().schedules();
    rs.FindFirst(QStringLiteral("[Message] = 'クリスマスイブ'"));
    EXPECT_EQ(rs.GetValue(f::Color).toInt(), 0);
    EXPECT_EQ(rs.GetValue(f::Type).toInt(), 4);
}

} // namespace
} // namespace morvane
