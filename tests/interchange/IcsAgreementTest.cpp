// The days the program shows each schedule on agree, day by day over three
// years, with the occurrences libical's recurrence iterator gives for the
// exported event.

#include "interchange/IcsApply.h"
#include "interchange/IcsCommon.h"
#include "interchange/IcsExport.h"
#include "interchange/IcsDays.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace morvane {
namespace {

using test::DaySet;

const QDate kFirst(2025, 1, 1);
const QDate kLast(2027, 12, 31);

ScheduleEntry Rule(int year, int month, int day, int week, int weekday, const QString& message)
{
    ScheduleEntry e;
    e.year = year;
    e.month = month;
    e.day = day;
    e.week = week;
    e.dayOfTheWeek = weekday;
    e.message = message;
    return e;
}

// Every rule kind: each weekday every week and in each week of the month,
// days of the month that not every month has, each with and without a year
// and a month; the computed holidays; birthdays from their birth year;
// times ending on the next day; half of them again with a first day, some
// with a last day, and skipped days.
std::vector<ScheduleEntry> EveryRule()
{
    std::vector<ScheduleEntry> entries;
    for (const int year : {0, 2026}) {
        for (const int month : {0, 2, 3, 12}) {
            for (int week = 0; week <= 5; ++week) {
                for (int weekday = 1; weekday <= 7; ++weekday)
                    entries.push_back(Rule(year, month, -1, week, weekday,
                                           QStringLiteral("w%1-%2-%3-%4")
                                               .arg(year)
                                               .arg(month)
                                               .arg(week)
                                               .arg(weekday)));
            }
        }
        for (const int month : {0, 1, 2, 4, 12}) {
            for (const int day : {1, 28, 29, 30, 31}) {
                if (year != 0 && month != 0 && !QDate::isValid(year, month, day))
                    continue;
                entries.push_back(
                    Rule(year, month, day, -1, -1,
                         QStringLiteral("d%1-%2-%3").arg(year).arg(month).arg(day)));
            }
        }
    }
    for (const int month : {3, 9}) {
        ScheduleEntry equinox = Rule(0, month, -1, -1, -1, QStringLiteral("equinox %1").arg(month));
        equinox.type = 10;
        entries.push_back(equinox);
    }
    // The same rules held to a first day, a last day and skipped days.
    const std::size_t plain = entries.size();
    for (std::size_t i = 0; i < plain; i += 2) {
        ScheduleEntry bounded = entries[i];
        bounded.message += QStringLiteral(" bounded");
        bounded.bounds.first = QDate(2025, 3, 10).addDays(qint64(i % 40));
        if (i % 3)
            bounded.bounds.last = QDate(2027, 6, 30).addDays(-qint64(i % 50));
        for (QDate day = QDate(2025, 1, 5).addDays(qint64(i % 7)); day < kLast; day = day.addDays(11))
            bounded.bounds.Skip(day);
        entries.push_back(bounded);
    }
    ScheduleEntry birthday = Rule(0, 2, 29, -1, -1, QStringLiteral("birthday"));
    birthday.type = 2;
    birthday.birthYear = 1988;
    entries.push_back(birthday);
    ScheduleEntry night = Rule(0, 0, -1, 0, 6, QStringLiteral("night shift"));
    night.startTime = QStringLiteral("22:00");
    night.endTime = QStringLiteral("01:00");
    entries.push_back(night);
    ScheduleEntry timed = Rule(2026, 0, -1, 5, 1, QStringLiteral("timed fifth Sunday"));
    timed.startTime = QStringLiteral("09:00");
    timed.endTime = QStringLiteral("10:00");
    entries.push_back(timed);
    return entries;
}

IcsExportOptions Options()
{
    IcsExportOptions options;
    options.today = QDate(2026, 12, 10);
    options.stamp = QDateTime(QDate(2026, 12, 10), QTime(12, 0), Qt::UTC);
    return options;
}

// The record each event of our own file stands for, by its UID.
qint64 RecordOf(icalcomponent* event)
{
    static const QRegularExpression uid(QStringLiteral("^morvane-schedule-(\\d+)(-\\d+)?@"));
    const QRegularExpressionMatch match = uid.match(QString::fromUtf8(icalcomponent_get_uid(event)));
    return match.hasMatch() ? match.captured(1).toLongLong() : -1;
}

TEST(IcsAgreement, ExportedRulesFallOnTheDaysTheProgramShows)
{
    QTemporaryDir dir;
    const auto file = test::NewScheduleFile(dir, QStringLiteral("rules"));
    const std::vector<ScheduleEntry> entries = EveryRule();
    ASSERT_TRUE(ApplyIcsEntries(file->database(), file->schedules(), entries).ok());
    int skipped = -1;
    const std::vector<ExportRecord> records = ReadExportRecords(file->schedules());
    const QByteArray bytes = BuildIcs(records, Options(), &skipped);

    std::map<qint64, DaySet> occurs;
    ics::Component calendar(icalparser_parse_string(bytes.constData()));
    ASSERT_TRUE(calendar);
    for (icalcomponent* ev = icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT);
         ev; ev = icalcomponent_get_next_component(calendar.get(), ICAL_VEVENT_COMPONENT)) {
        const DaySet days = test::OccurrenceDays(ev, kFirst, kLast);
        occurs[RecordOf(ev)].insert(days.begin(), days.end());
    }
    const std::map<qint64, DaySet> shown = test::ShownDays(file->schedules(), kFirst, kLast);

    // Only a rule that falls on no day at all (30 February, the fifth
    // Monday of February 2026) is left out of the file, and counted.
    int disagreements = 0, neverShown = 0;
    for (const ExportRecord& record : records) {
        const auto found = occurs.find(record.id);
        const auto shownHere = shown.find(record.id);
        const DaySet& days = shownHere == shown.end() ? DaySet{} : shownHere->second;
        if (found == occurs.end() && days.empty() &&
            (record.entry.year == 2026 || !record.entry.bounds.isEmpty() ||
             !QDate::isValid(2000, record.entry.month, record.entry.day))) {
            ++neverShown;
            continue;
        }
        EXPECT_NE(found, occurs.end()) << record.entry.message.toStdString() << " is not in the file";
        const DaySet& expected = found == occurs.end() ? DaySet{} : found->second;
        if (days != expected) {
            ++disagreements;
            ADD_FAILURE() << record.entry.message.toStdString() << ": "
                          << test::DayDifference(days, expected).toStdString();
        }
    }
    EXPECT_EQ(disagreements, 0);
    EXPECT_EQ(skipped, neverShown);
}

} // namespace
} // namespace morvane
