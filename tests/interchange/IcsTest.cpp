#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleDatabase.h"
#include "interchange/IcsApply.h"
#include "interchange/IcsExport.h"
#include "interchange/IcsImport.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace morvane {

void PrintTo(const ScheduleEntry& e, std::ostream* os)
{
    *os << "{type " << e.type << ", " << e.year << "/" << e.month << "/" << e.day << " week "
        << e.week << " dow " << e.dayOfTheWeek << ", " << e.startTime.toStdString() << "-"
        << e.endTime.toStdString() << " alarm " << e.alarm.toStdString() << " color " << e.color
        << " mark " << (e.mark ? *e.mark : -99) << " birth " << (e.birthYear ? *e.birthYear : -99)
        << " " << e.birthPerson.toStdString() << " \"" << e.message.toStdString() << "\"}";
}

namespace {

ScheduleEntry Entry(int type, int year, int month, int day, int week, int weekday, QString message)
{
    ScheduleEntry e;
    e.type = type;
    e.year = year;
    e.month = month;
    e.day = day;
    e.week = week;
    e.dayOfTheWeek = weekday;
    e.message = std::move(message);
    return e;
}

// One schedule of every rule kind and every field the file carries.
std::vector<ScheduleEntry> EveryKind()
{
    std::vector<ScheduleEntry> entries;
    ScheduleEntry dentist = Entry(4, 2026, 12, 11, -1, -1, "Dentist's appointment");
    dentist.startTime = "10:00";
    dentist.endTime = "10:45";
    dentist.alarm = "09:30";
    dentist.color = 14;
    dentist.mark = 5;
    entries.push_back(dentist);
    ScheduleEntry birthday = Entry(2, 0, 2, 29, -1, -1, "花子の誕生日");
    birthday.birthYear = 1988;
    birthday.birthPerson = "花子";
    birthday.color = 13;
    entries.push_back(birthday);
    ScheduleEntry anniversary = Entry(3, 0, 6, 1, -1, -1, "結婚記念日");
    anniversary.birthYear = 2010;
    entries.push_back(anniversary);
    ScheduleEntry rent = Entry(0, 0, 0, 27, -1, -1, "家賃\n振込を忘れずに");
    rent.alarm = "08:00";
    rent.mark = -1;
    entries.push_back(rent);
    entries.push_back(Entry(0, 2026, 0, 31, -1, -1, "月末締め (2026)"));
    ScheduleEntry tv = Entry(20, 0, 0, -1, 0, 3, "ニュース番組");
    tv.startTime = "21:00";
    tv.endTime = "21:54";
    tv.alarm = "20:55";
    tv.color = 9;
    entries.push_back(tv);
    entries.push_back(Entry(21, 2027, 4, -1, 0, 6, "雑誌 'Weekly' 発売"));
    entries.push_back(Entry(5, 0, 0, -1, 2, 3, "第2火曜日の定例"));
    entries.push_back(Entry(1, 0, 1, -1, 2, 2, "成人の日"));
    entries.push_back(Entry(0, 2026, 5, -1, 5, 1, "5月第5日曜日"));
    ScheduleEntry vernal = Entry(10, 0, 3, -1, -1, -1, "春分の日");
    vernal.color = 12;
    entries.push_back(vernal);
    ScheduleEntry weekly = Entry(0, 0, 0, -1, 0, 6, "Timed weekly with an end year");
    weekly.year = 2026;
    weekly.startTime = "07:15";
    entries.push_back(weekly);
    return entries;
}

std::vector<ExportRecord> Records(const std::vector<ScheduleEntry>& entries)
{
    std::vector<ExportRecord> records;
    qint64 id = 1;
    for (const ScheduleEntry& e : entries)
        records.push_back({id++, e});
    return records;
}

IcsExportOptions Options()
{
    IcsExportOptions options;
    options.today = QDate(2026, 12, 10);
    options.stamp = QDateTime(QDate(2026, 12, 10), QTime(12, 0), Qt::UTC);
    return options;
}

QByteArray Calendar(const QByteArray& events)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Test//EN\r\n" + events +
           "END:VCALENDAR\r\n";
}

TEST(IcsExport, WritesFoldedCrLfLinesAndTheRulesOtherProgramsRead)
{
    int skipped = -1;
    const QByteArray bytes = BuildIcs(Records(EveryKind()), Options(), &skipped);
    EXPECT_EQ(skipped, 0);
    EXPECT_TRUE(bytes.startsWith("BEGIN:VCALENDAR\r\n"));
    for (const QByteArray& line : bytes.split('\n')) {
        if (line.isEmpty())
            continue;
        EXPECT_TRUE(line.endsWith('\r')) << line.toStdString();
        EXPECT_LE(line.size() - 1, 75) << line.toStdString();
    }
    const QString text = QString::fromUtf8(bytes).remove(QStringLiteral("\r\n "));
    if (::testing::Test::HasFailure() || qEnvironmentVariableIsSet("MORVANE_DUMP_ICS"))
        qInfo("%s", bytes.constData());
    for (const char* expected :
         {"RRULE:FREQ=YEARLY;BYMONTHDAY=29;BYMONTH=2", "RRULE:FREQ=MONTHLY;BYMONTHDAY=27",
          "RRULE:FREQ=MONTHLY;UNTIL=20261231;BYMONTHDAY=31", "RRULE:FREQ=WEEKLY;BYDAY=TU",
          "RRULE:FREQ=MONTHLY;BYDAY=2TU", "RRULE:FREQ=MONTHLY;BYDAY=2MO;BYMONTH=1",
          "DTSTART:20261211T100000", "DTEND:20261211T104500", "TRIGGER:-PT30M", "CATEGORIES:誕生日",
          "COLOR:yellow", "DTSTART;VALUE=DATE:20260320", "DTSTART;VALUE=DATE:20270321",
          "DTSTART;VALUE=DATE:19880229", "SUMMARY:家賃", "DESCRIPTION:家賃\\n振込を忘れずに",
          "UID:morvane-schedule-1@quillstone.example"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    }
    // The equinox holiday: one dated event for each year around today.
    EXPECT_EQ(text.count(QStringLiteral("SUMMARY:春分の日")), 13);
}

// Export, then import: every field comes back, and the computed holiday's
// yearly dates gather into its one rule again.
TEST(IcsRoundTrip, EveryFieldOfEveryRuleKindComesBack)
{
    const std::vector<ScheduleEntry> entries = EveryKind();
    const IcsImportPlan plan = ReadIcs(BuildIcs(Records(entries), Options()), std::nullopt);
    ASSERT_TRUE(plan.ok()) << plan.error.toStdString();
    EXPECT_EQ(plan.skipped, 0);
    EXPECT_EQ(plan.needExpanding, 0);
    EXPECT_EQ(plan.entries, entries);
}

// Other programs drop our own properties: the standard ones alone still give
// every rule, kind (by its category name), text, time, alarm and colour.
TEST(IcsRoundTrip, StandardPropertiesAloneKeepTheRules)
{
    QByteArray bytes = BuildIcs(Records(EveryKind()), Options());
    bytes.replace("\r\n ", "");
    QList<QByteArray> kept;
    for (const QByteArray& line : bytes.split('\n')) {
        if (!line.startsWith("X-MORVANE"))
            kept.push_back(line);
    }
    const IcsImportPlan plan = ReadIcs(kept.join('\n'), std::nullopt);
    ASSERT_TRUE(plan.ok()) << plan.error.toStdString();
    std::vector<ScheduleEntry> expected;
    for (ScheduleEntry e : EveryKind()) {
        e.mark.reset();
        e.birthPerson.clear();
        if (e.type == 10) {
            // Without our kind, the dates are holidays of their own years.
            for (int year = 2024; year <= 2036; ++year) {
                ScheduleEntry dated = e;
                dated.type = 1;
                dated.year = year;
                dated.day = year == 2027 || year == 2031 || year == 2035 ? 21 : 20;
                if (year == 2024 || year == 2028 || year == 2032 || year == 2036)
                    dated.day = 20;
                expected.push_back(dated);
            }
            continue;
        }
        expected.push_back(e);
    }
    ASSERT_EQ(plan.entries.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(plan.entries[i], expected[i]) << i;
}

class IcsDatabaseTest : public ::testing::Test
{
protected:
    std::unique_ptr<ScheduleDatabase> NewDatabase(const QString& name)
    {
        const QString folder = m_dir.filePath(name);
        QDir().mkpath(folder);
        std::unique_ptr<Database> database = CreateScheduleDatabase(DataFilePath(folder));
        CreateMemoTable(*database);
        return std::make_unique<ScheduleDatabase>(std::move(database));
    }
    QTemporaryDir m_dir;
};

TEST_F(IcsDatabaseTest, ImportIntoAnEmptyFileGivesEqualRecordsAndASecondImportAddsNothing)
{
    auto source = NewDatabase("source");
    const IcsApplyResult written =
        ApplyIcsEntries(source->database(), source->schedules(), EveryKind());
    ASSERT_TRUE(written.ok()) << written.error.toStdString();
    const QByteArray bytes = BuildIcs(ReadExportRecords(source->schedules()), Options());

    auto target = NewDatabase("target");
    const IcsImportPlan plan = ReadIcs(bytes, std::nullopt);
    ASSERT_TRUE(plan.ok());
    const IcsApplyResult first =
        ApplyIcsEntries(target->database(), target->schedules(), plan.entries);
    EXPECT_EQ(first.added, int(EveryKind().size()));
    std::vector<ScheduleEntry> back;
    for (const ExportRecord& record : ReadExportRecords(target->schedules()))
        back.push_back(record.entry);
    EXPECT_EQ(back, EveryKind());

    const IcsApplyResult second = ApplyIcsEntries(target->database(), target->schedules(),
                                                  ReadIcs(bytes, std::nullopt).entries);
    EXPECT_EQ(second.added, 0);
    EXPECT_EQ(second.duplicates, int(EveryKind().size()));
    EXPECT_EQ(target->schedules().RecordCount(), int(EveryKind().size()));
}

TEST(IcsImport, RulesOurSchedulesCannotHoldAreExpandedInTheWindowOrSkipped)
{
    const QByteArray file = Calendar(
        // Every other week: an interval.
        "BEGIN:VEVENT\r\nUID:a\r\nDTSTART;VALUE=DATE:20261201\r\n"
        "RRULE:FREQ=WEEKLY;INTERVAL=2\r\nSUMMARY:Fortnightly\r\nEND:VEVENT\r\n"
        // Three times only.
        "BEGIN:VEVENT\r\nUID:b\r\nDTSTART:20261228T090000\r\nDTEND:20261228T100000\r\n"
        "RRULE:FREQ=DAILY;COUNT=3\r\nSUMMARY:Course\r\nEND:VEVENT\r\n"
        // Monthly, one date left out.
        "BEGIN:VEVENT\r\nUID:c\r\nDTSTART;VALUE=DATE:20270105\r\nRRULE:FREQ=MONTHLY\r\n"
        "EXDATE;VALUE=DATE:20270205\r\nSUMMARY:Fifth\r\nEND:VEVENT\r\n"
        // Across midnight.
        "BEGIN:VEVENT\r\nUID:d\r\nDTSTART:20261231T230000\r\nDTEND:20270101T010000\r\n"
        "SUMMARY:New Year party\r\nEND:VEVENT\r\n"
        // Three whole days.
        "BEGIN:VEVENT\r\nUID:e\r\nDTSTART;VALUE=DATE:20261229\r\n"
        "DTEND;VALUE=DATE:20270101\r\nSUMMARY:Holidays\r\nEND:VEVENT\r\n"
        // One our rules hold: every 3rd of the month.
        "BEGIN:VEVENT\r\nUID:f\r\nDTSTART;VALUE=DATE:20260103\r\nRRULE:FREQ=MONTHLY\r\n"
        "SUMMARY:Third\r\nEND:VEVENT\r\n");

    const IcsImportPlan skipped = ReadIcs(file, std::nullopt);
    ASSERT_TRUE(skipped.ok()) << skipped.error.toStdString();
    EXPECT_EQ(skipped.imported, 1);
    EXPECT_EQ(skipped.needExpanding, 5);
    EXPECT_EQ(skipped.skipped, 5);
    ASSERT_EQ(skipped.entries.size(), 1u);
    EXPECT_EQ(skipped.entries[0], Entry(0, 0, 0, 3, -1, -1, "Third"));

    const IcsImportPlan expanded = ReadIcs(file, IcsExpandWindow{2026, 2027});
    ASSERT_TRUE(expanded.ok());
    EXPECT_EQ(expanded.expanded, 5);
    EXPECT_EQ(expanded.skipped, 0);
    const auto datesOf = [&expanded](const QString& message) {
        QStringList dates;
        for (const ScheduleEntry& e : expanded.entries) {
            if (e.message == message)
                dates << QStringLiteral("%1-%2-%3 %4")
                             .arg(e.year)
                             .arg(e.month)
                             .arg(e.day)
                             .arg(e.startTime + u'-' + e.endTime);
        }
        return dates;
    };
    EXPECT_EQ(datesOf("Course"), QStringList({"2026-12-28 09:00-10:00", "2026-12-29 09:00-10:00",
                                              "2026-12-30 09:00-10:00"}));
    EXPECT_EQ(datesOf("Fortnightly").size(), 29); // 1 Dec 2026 to the end of 2027
    EXPECT_EQ(datesOf("Fifth").size(), 11);       // twelve months, February left out
    EXPECT_FALSE(datesOf("Fifth").contains("2027-2-5 -"));
    EXPECT_EQ(datesOf("New Year party"), QStringList({"2026-12-31 23:00-", "2027-1-1 23:00-"}));
    EXPECT_EQ(datesOf("Holidays"), QStringList({"2026-12-29 -", "2026-12-30 -", "2026-12-31 -"}));
}

TEST(IcsImport, ZonedTimesBecomeLocalAndAlarmsLandOnTheirDay)
{
    const IcsImportPlan plan = ReadIcs(
        Calendar("BEGIN:VEVENT\r\nUID:z\r\nDTSTART:20261211T010000Z\r\nDTEND:20261211T020000Z\r\n"
                 "SUMMARY:Call\r\nCOLOR:Cyan\r\nCATEGORIES:Work,イベント\r\n"
                 "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n"
                 "END:VEVENT\r\n"
                 "BEGIN:VEVENT\r\nUID:y\r\nDTSTART;VALUE=DATE:20261212\r\nSUMMARY:Day before\r\n"
                 "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-P1D\r\nEND:VALARM\r\n"
                 "END:VEVENT\r\n"),
        std::nullopt);
    ASSERT_TRUE(plan.ok()) << plan.error.toStdString();
    ASSERT_EQ(plan.entries.size(), 2u);
    ScheduleEntry call = Entry(4, 2026, 12, 11, -1, -1, "Call"); // TZ is Asia/Tokyo
    call.startTime = "10:00";
    call.endTime = "11:00";
    call.alarm = "09:45";
    call.color = 11;
    EXPECT_EQ(plan.entries[0], call);
    EXPECT_EQ(plan.entries[1].alarm, "") << "an alarm on another day is not the schedule's";
}

TEST(IcsImport, TextsAreKeptLiterallyAndCutToTheFieldsCapacity)
{
    const QString longText(600, QChar(u'あ')); // 1,200 bytes in code page 932
    const QByteArray file =
        BuildIcs(Records({Entry(0, 2026, 12, 24, -1, -1, "O'Brien's \"party\"; 50% [x] #1"),
                          Entry(0, 2026, 12, 25, -1, -1, longText)}),
                 Options());
    const IcsImportPlan plan = ReadIcs(file, std::nullopt);
    ASSERT_TRUE(plan.ok());
    ASSERT_EQ(plan.entries.size(), 2u);
    EXPECT_EQ(plan.entries[0].message, "O'Brien's \"party\"; 50% [x] #1");
    EXPECT_EQ(plan.entries[1].message, longText.left(512));
    EXPECT_EQ(plan.cut, 1);
}

// A broken file is named by its line and gives nothing to write.
TEST(IcsImport, MalformedFilesNameTheLineAndImportNothing)
{
    const QByteArray good = "BEGIN:VEVENT\r\nUID:1\r\nDTSTART;VALUE=DATE:20261201\r\n"
                            "SUMMARY:fine\r\nEND:VEVENT\r\n";
    const struct
    {
        const char* name;
        QByteArray bytes;
        int line;
    } cases[] = {
        {"empty", "", 1},
        {"not a calendar", "hello world\r\n", 1},
        {"no colon", Calendar(good + "BEGIN:VEVENT\r\nUID 2\r\nEND:VEVENT\r\n"), 10},
        {"truncated", Calendar(good).left(Calendar(good).size() - 20), 8},
        {"unbalanced", Calendar(good + "END:VTODO\r\n"), 9},
        {"event without a start",
         Calendar(good + "BEGIN:VEVENT\r\nUID:2\r\nSUMMARY:x\r\nEND:VEVENT\r\n"), 9},
        {"bad date", Calendar(good + "BEGIN:VEVENT\r\nUID:2\r\nDTSTART:2026AB01\r\nEND:VEVENT\r\n"),
         9},
        {"not UTF-8",
         Calendar(good + "BEGIN:VEVENT\r\nUID:2\r\nDTSTART:20261201\r\nSUMMARY:\xff\xfe"
                         "\r\nEND:VEVENT\r\n"),
         12},
        {"unterminated quote",
         Calendar(good + "BEGIN:VEVENT\r\nDTSTART;TZID=\"Asia/Tokyo:20261201T100000\r\n"
                         "END:VEVENT\r\n"),
         10},
        {"continuation first", " BEGIN:VCALENDAR\r\n", 1},
    };
    for (const auto& k : cases) {
        const IcsImportPlan plan = ReadIcs(k.bytes, IcsExpandWindow{2026, 2027});
        EXPECT_FALSE(plan.ok()) << k.name;
        EXPECT_EQ(plan.errorLine, k.line) << k.name << ": " << plan.error.toStdString();
        EXPECT_TRUE(plan.error.contains(QStringLiteral("%1 行目").arg(k.line))) << k.name;
        EXPECT_TRUE(plan.entries.empty()) << k.name;
    }
}

} // namespace
} // namespace morvane
