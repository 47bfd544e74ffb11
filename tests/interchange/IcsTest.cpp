#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleDatabase.h"
#include "interchange/IcsApply.h"
#include "interchange/IcsExport.h"
#include "interchange/IcsImport.h"
#include "interchange/IcsLines.h"
#include "interchange/IcsSummary.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace morvane {

void PrintTo(const ScheduleEntry& e, std::ostream* os)
{
    *os << "{type " << e.type << ", " << e.year << "/" << e.month << "/" << e.day << " week "
        << e.week << " dow " << e.dayOfTheWeek << ", " << e.startTime.toStdString() << "-"
        << e.endTime.toStdString() << " alarm " << e.alarm.toStdString() << " color " << e.color
        << " mark " << (e.mark ? *e.mark : -99) << " birth " << (e.birthYear ? *e.birthYear : -99)
        << " " << e.birthPerson.toStdString() << " \"" << e.message.toStdString() << "\" from "
        << BoundDateText(e.bounds.first).toStdString() << " to "
        << BoundDateText(e.bounds.last).toStdString() << " skipping "
        << SkippedDatesText(e.bounds.skipped).toStdString() << "}";
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

// A rule's first, last and skipped days go out as DTSTART, UNTIL and
// EXDATE and come back as they were, also from the standard properties
// alone.
TEST(IcsRoundTrip, FirstLastAndSkippedDaysComeBack)
{
    ScheduleEntry weekly = Entry(0, 0, 0, -1, 0, 4, "Weekly from June");
    weekly.bounds.first = QDate(2026, 6, 3);
    weekly.bounds.last = QDate(2026, 12, 23);
    weekly.bounds.skipped = {QDate(2026, 8, 12), QDate(2026, 8, 19)};
    ScheduleEntry monthly = Entry(5, 0, 0, 15, -1, -1, "Timed monthly");
    monthly.startTime = "22:00";
    monthly.endTime = "01:00";
    monthly.bounds.skipped = {QDate(2027, 1, 15)};
    ScheduleEntry nth = Entry(0, 0, 3, -1, 5, 1, "Fifth Sunday of March until 2030");
    nth.bounds.last = QDate(2030, 12, 31);
    ScheduleEntry yearly = Entry(0, 0, 4, 1, -1, -1, "Yearly from 2027");
    yearly.bounds.first = QDate(2027, 4, 1);
    const std::vector<ScheduleEntry> entries = {weekly, monthly, nth, yearly};
    QByteArray bytes = BuildIcs(Records(entries), Options());
    const QString text = QString::fromUtf8(bytes).remove(QStringLiteral("\r\n "));
    for (const char* expected :
         {"DTSTART;VALUE=DATE:20260603", "UNTIL=20261223", "EXDATE;VALUE=DATE:20260812",
          "EXDATE:20270115T220000", "DTEND:20000116T010000", "RRULE:FREQ=MONTHLY;UNTIL=20301231;BYDAY=5SU;BYMONTH=3",
          "DTSTART;VALUE=DATE:20270401"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << bytes.constData();
    }
    for (const bool standardOnly : {false, true}) {
        if (standardOnly) {
            QList<QByteArray> kept;
            for (const QByteArray& line : bytes.replace("\r\n ", "").split('\n')) {
                if (!line.startsWith("X-MORVANE"))
                    kept.push_back(line);
            }
            bytes = kept.join('\n');
            for (ScheduleEntry* e : {&weekly, &monthly, &nth, &yearly})
                e->mark.reset();
        }
        const IcsImportPlan plan = ReadIcs(bytes, std::nullopt);
        ASSERT_TRUE(plan.ok()) << plan.error.toStdString();
        EXPECT_EQ(plan.needExpanding, 0);
        std::vector<ScheduleEntry> expected = entries;
        if (standardOnly)
            expected[1].type = 5; // its category names the kind
        EXPECT_EQ(plan.entries, expected) << "standard properties only: " << standardOnly;
    }
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

    // The summary's lines add up to its first one: the twelve events of the
    // computed holiday's years gave one record.
    const QString firstSummary = IcsImportSummary(plan, first);
    EXPECT_TRUE(firstSummary.startsWith(QStringLiteral("12件の予定を取り込みました。")))
        << firstSummary.toStdString();
    EXPECT_TRUE(firstSummary.contains(QStringLiteral("そのまま取り込んだ予定：12件")))
        << firstSummary.toStdString();

    const IcsImportPlan again = ReadIcs(bytes, std::nullopt);
    const IcsApplyResult second =
        ApplyIcsEntries(target->database(), target->schedules(), again.entries);
    EXPECT_EQ(second.added, 0);
    EXPECT_EQ(second.duplicates, int(EveryKind().size()));
    EXPECT_EQ(target->schedules().RecordCount(), int(EveryKind().size()));
    const QString secondSummary = IcsImportSummary(again, second);
    for (const QString& line : {QStringLiteral("0件の予定を取り込みました。"),
                                QStringLiteral("そのまま取り込んだ予定：0件"),
                                QStringLiteral("既にあるため追加しなかった予定：%1件")
                                    .arg(again.events.size())}) {
        EXPECT_TRUE(secondSummary.contains(line)) << secondSummary.toStdString();
    }
}

// The file refuses the second of three new schedules (a trigger stands for
// a disk that fails on the way): nothing of the import stays, and the next
// import stores its schedules.
TEST_F(IcsDatabaseTest, AWriteFailureOnTheWayAddsNothingAndTheNextImportWorks)
{
    NewDatabase("failing").reset();
    const QString path = DataFilePath(m_dir.filePath("failing"));
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &raw), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(raw,
                           "CREATE TRIGGER refuse BEFORE INSERT ON Schedule WHEN "
                           "NEW.Message = 'boom' BEGIN SELECT RAISE(ABORT, 'refused'); END;",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(raw);
    ScheduleDatabase file(Database::OpenDatabase(path));

    const ScheduleEntry first = Entry(0, 2026, 12, 1, -1, -1, "first");
    const ScheduleEntry last = Entry(0, 2026, 12, 3, -1, -1, "last");
    const IcsApplyResult failed = ApplyIcsEntries(
        file.database(), file.schedules(), {first, Entry(0, 2026, 12, 2, -1, -1, "boom"), last});
    EXPECT_FALSE(failed.ok());
    EXPECT_EQ(failed.added, 0);
    EXPECT_EQ(file.schedules().RecordCount(), 0);

    const IcsApplyResult next = ApplyIcsEntries(file.database(), file.schedules(), {first, last});
    ASSERT_TRUE(next.ok()) << next.error.toStdString();
    EXPECT_EQ(next.added, 2);
    EXPECT_EQ(file.schedules().RecordCount(), 2);
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
        // Across midnight, for more than a day.
        "BEGIN:VEVENT\r\nUID:d\r\nDTSTART:20261231T230000\r\nDTEND:20270101T233000\r\n"
        "SUMMARY:New Year party\r\nEND:VEVENT\r\n"
        // Three whole days.
        "BEGIN:VEVENT\r\nUID:e\r\nDTSTART;VALUE=DATE:20261229\r\n"
        "DTEND;VALUE=DATE:20270101\r\nSUMMARY:Holidays\r\nEND:VEVENT\r\n"
        // One our rules hold: every 3rd of the month.
        "BEGIN:VEVENT\r\nUID:f\r\nDTSTART;VALUE=DATE:20260103\r\nRRULE:FREQ=MONTHLY\r\n"
        "SUMMARY:Third\r\nEND:VEVENT\r\n");

    const IcsImportPlan skipped = ReadIcs(file, std::nullopt);
    ASSERT_TRUE(skipped.ok()) << skipped.error.toStdString();
    EXPECT_EQ(skipped.imported, 2);
    EXPECT_EQ(skipped.needExpanding, 4);
    EXPECT_EQ(skipped.skipped, 4);
    ASSERT_EQ(skipped.entries.size(), 2u);
    // The rules our schedules hold start on their first day and skip the
    // dates left out.
    ScheduleEntry fifth = Entry(0, 0, 0, 5, -1, -1, "Fifth");
    fifth.bounds.first = QDate(2027, 1, 5);
    fifth.bounds.skipped = {QDate(2027, 2, 5)};
    ScheduleEntry third = Entry(0, 0, 0, 3, -1, -1, "Third");
    third.bounds.first = QDate(2026, 1, 3);
    EXPECT_EQ(skipped.entries[0], fifth);
    EXPECT_EQ(skipped.entries[1], third);

    const IcsImportPlan expanded = ReadIcs(file, IcsExpandWindow{2026, 2027});
    ASSERT_TRUE(expanded.ok());
    EXPECT_EQ(expanded.expanded, 4);
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
    EXPECT_EQ(datesOf("New Year party"), QStringList({"2026-12-31 23:00-", "2027-1-1 23:00-"}));
    EXPECT_EQ(datesOf("Holidays"), QStringList({"2026-12-29 -", "2026-12-30 -", "2026-12-31 -"}));
}

ScheduleEntry Timed(ScheduleEntry e, const char* start, const char* end = "")
{
    e.startTime = start;
    e.endTime = end;
    return e;
}

ScheduleEntry Bounded(ScheduleEntry e, QDate first, QDate last = {}, std::vector<QDate> skipped = {})
{
    e.bounds.first = first;
    e.bounds.last = last;
    e.bounds.skipped = std::move(skipped);
    return e;
}

const QByteArray kNewYorkZone =
    "BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\nBEGIN:DAYLIGHT\r\nTZOFFSETFROM:-0500\r\n"
    "TZOFFSETTO:-0400\r\nDTSTART:19700308T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\n"
    "END:DAYLIGHT\r\nBEGIN:STANDARD\r\nTZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\n"
    "DTSTART:19701101T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\nEND:STANDARD\r\n"
    "END:VTIMEZONE\r\n"
    "BEGIN:VTIMEZONE\r\nTZID:Asia/Tokyo\r\nBEGIN:STANDARD\r\nTZOFFSETFROM:+0900\r\n"
    "TZOFFSETTO:+0900\r\nDTSTART:19700101T000000\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";

// A rule is held with its days in Japan time: moved with its time when the
// file's zone puts it on another day, from DTSTART, up to UNTIL or COUNT,
// less EXDATE; a zone with daylight time, or a day that does not move as a
// rule of ours, is expanded instead.
TEST(IcsImport, RulesAreHeldInJapanTimeFromTheirStartToTheirEnd)
{
    const struct
    {
        const char* name;
        QByteArray lines;
        std::optional<ScheduleEntry> held;
    } cases[] = {
        {"UTC Sunday 23:00 is Monday 08:00",
         "DTSTART:20260104T230000Z\r\nRRULE:FREQ=WEEKLY\r\n",
         Bounded(Timed(Entry(0, 0, 0, -1, 0, 2, "e"), "08:00"), QDate(2026, 1, 5))},
        {"New York changes against Japan time", "DTSTART;TZID=America/New_York:20260106T200000\r\n"
                                                "RRULE:FREQ=WEEKLY;BYDAY=TU\r\n",
         std::nullopt},
        {"Tokyo from June until a moment before the last one",
         "DTSTART;TZID=Asia/Tokyo:20260603T100000\r\nRRULE:FREQ=WEEKLY;UNTIL=20261230T005959Z\r\n",
         Bounded(Timed(Entry(0, 0, 0, -1, 0, 4, "e"), "10:00"), QDate(2026, 6, 3),
                 QDate(2026, 12, 29))},
        {"ten times", "DTSTART;VALUE=DATE:20260115\r\nRRULE:FREQ=MONTHLY;COUNT=10\r\n",
         Bounded(Entry(0, 0, 0, 15, -1, -1, "e"), QDate(2026, 1, 15), QDate(2026, 10, 15))},
        {"UTC 15th of the month is the 16th", "DTSTART:20260115T200000Z\r\nRRULE:FREQ=MONTHLY\r\n",
         Bounded(Timed(Entry(0, 0, 0, 16, -1, -1, "e"), "05:00"), QDate(2026, 1, 16))},
        {"UTC 31st of the month", "DTSTART:20260131T200000Z\r\nRRULE:FREQ=MONTHLY\r\n",
         std::nullopt},
        {"UTC 31 December is 1 January", "DTSTART:20261231T200000Z\r\nRRULE:FREQ=YEARLY\r\n",
         Bounded(Timed(Entry(0, 0, 1, 1, -1, -1, "e"), "05:00"), QDate(2027, 1, 1))},
        {"UTC 28 February", "DTSTART:20260228T200000Z\r\nRRULE:FREQ=YEARLY\r\n", std::nullopt},
        {"UTC second Tuesday", "DTSTART:20260113T200000Z\r\nRRULE:FREQ=MONTHLY;BYDAY=2TU\r\n",
         std::nullopt},
        {"yearly from 2027", "DTSTART;VALUE=DATE:20270401\r\nRRULE:FREQ=YEARLY\r\n",
         Bounded(Entry(0, 0, 4, 1, -1, -1, "e"), QDate(2027, 4, 1))},
        {"dates taken away, one at another time",
         "DTSTART;TZID=Asia/Tokyo:20260108T190000\r\nRRULE:FREQ=WEEKLY;BYDAY=TH\r\n"
         "EXDATE;TZID=Asia/Tokyo:20260212T190000,20260219T190000,20260226T180000\r\n",
         Bounded(Timed(Entry(0, 0, 0, -1, 0, 5, "e"), "19:00"), QDate(2026, 1, 8), {},
                 {QDate(2026, 2, 12), QDate(2026, 2, 19)})},
        {"an end on the next day", "DTSTART:20261211T220000\r\nDTEND:20261212T010000\r\n",
         Timed(Entry(0, 2026, 12, 11, -1, -1, "e"), "22:00", "01:00")},
        {"an end at 24:00", "DTSTART:20261211T220000\r\nDTEND:20261212T000000\r\n",
         Timed(Entry(0, 2026, 12, 11, -1, -1, "e"), "22:00", "00:00")},
    };
    for (const auto& k : cases) {
        const IcsImportPlan plan =
            ReadIcs(Calendar(kNewYorkZone + "BEGIN:VEVENT\r\nUID:x\r\n" + k.lines +
                             "SUMMARY:e\r\nEND:VEVENT\r\n"),
                    std::nullopt);
        ASSERT_TRUE(plan.ok()) << k.name << ": " << plan.error.toStdString();
        EXPECT_EQ(plan.needExpanding, k.held ? 0 : 1) << k.name;
        if (k.held) {
            ASSERT_EQ(plan.entries.size(), 1u) << k.name;
            EXPECT_EQ(plan.entries[0], *k.held) << k.name;
        }
    }
}

// Cancelled events are left out and counted; a cancelled or moved
// occurrence is a skipped day of its rule, the moved one a schedule of its
// new day. The summary and the expansion question name what happened.
TEST(IcsImport, CancelledAndMovedOccurrencesAndWhatTheSummarySays)
{
    const QByteArray file = Calendar(
        kNewYorkZone +
        "BEGIN:VEVENT\r\nUID:l\r\nDTSTART;TZID=Asia/Tokyo:20260106T120000\r\n"
        "RRULE:FREQ=WEEKLY;BYDAY=TU\r\nSUMMARY:Lunch\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:l\r\nRECURRENCE-ID;TZID=Asia/Tokyo:20260310T120000\r\n"
        "DTSTART;TZID=Asia/Tokyo:20260311T130000\r\nRRULE:FREQ=WEEKLY;BYDAY=TU\r\n"
        "SUMMARY:Lunch\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:l\r\nRECURRENCE-ID;TZID=Asia/Tokyo:20260317T120000\r\n"
        "DTSTART;TZID=Asia/Tokyo:20260317T120000\r\nSTATUS:CANCELLED\r\nSUMMARY:Lunch\r\n"
        "END:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:p\r\nDTSTART:20260620T190000\r\nSTATUS:CANCELLED\r\n"
        "SUMMARY:Party\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:a\r\nDTSTART;VALUE=DATE:20260101\r\nRRULE:FREQ=DAILY\r\n"
        "SUMMARY:Daily A\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:b\r\nDTSTART;VALUE=DATE:20260101\r\nRRULE:FREQ=DAILY;INTERVAL=3\r\n"
        "SUMMARY:Every third day\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:c\r\nDTSTART;TZID=America/New_York:20260106T200000\r\n"
        "RRULE:FREQ=WEEKLY\r\nSUMMARY:NY class\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:d\r\nDTSTART;VALUE=DATE:20260101\r\nRRULE:FREQ=WEEKLY;BYDAY=MO,TH\r\n"
        "SUMMARY:Twice a week\r\nEND:VEVENT\r\n");
    const IcsImportPlan plan = ReadIcs(file, std::nullopt);
    ASSERT_TRUE(plan.ok()) << plan.error.toStdString();
    EXPECT_EQ(plan.cancelled, 1);
    ASSERT_EQ(plan.entries.size(), 2u);
    EXPECT_EQ(plan.entries[0], Bounded(Timed(Entry(0, 0, 0, -1, 0, 3, "Lunch"), "12:00"),
                                       QDate(2026, 1, 6), {},
                                       {QDate(2026, 3, 10), QDate(2026, 3, 17)}));
    EXPECT_EQ(plan.entries[1], Timed(Entry(0, 2026, 3, 11, -1, -1, "Lunch"), "13:00"));

    const QString question = IcsExpandQuestion(plan, IcsExpandWindow{2026, 2027});
    EXPECT_TRUE(question.startsWith(
        QStringLiteral("「Daily A」「Every third day」「NY class」などの4件の予定")))
        << question.toStdString();
    IcsApplyResult applied;
    applied.added = 2;
    applied.entryAdded = {true, true};
    const QString summary = IcsImportSummary(plan, applied);
    for (const QString& line : {QStringLiteral("2件の予定を取り込みました。"),
                                QStringLiteral("そのまま取り込んだ予定：2件"),
                                QStringLiteral("取り込めなかった予定：4件"),
                                QStringLiteral("取り消されているため取り込まなかった予定：1件")}) {
        EXPECT_TRUE(summary.contains(line)) << summary.toStdString();
    }
}

// One alarm a schedule holds: on the start's day, counted from the start or
// from the end; the others are counted.
TEST(IcsImport, AlarmsAScheduleCannotHoldAreCounted)
{
    const auto alarm = [](const QByteArray& trigger, const QByteArray& more = {}) {
        return "BEGIN:VALARM\r\nACTION:DISPLAY\r\n" + trigger + "\r\n" + more + "END:VALARM\r\n";
    };
    const struct
    {
        const char* name;
        QByteArray start;
        QByteArray alarms;
        const char* held;
        int lost;
    } cases[] = {
        {"before the start", "DTSTART:20260302T090000\r\nDTEND:20260302T100000\r\n",
         alarm("TRIGGER:-PT15M"), "08:45", 0},
        {"before the end", "DTSTART:20260302T090000\r\nDTEND:20260302T100000\r\n",
         alarm("TRIGGER;RELATED=END:-PT5M"), "09:55", 0},
        {"at a moment", "DTSTART:20260302T090000\r\nDTEND:20260302T100000\r\n",
         alarm("TRIGGER;VALUE=DATE-TIME:20260301T233000Z"), "08:30", 0},
        {"the day before", "DTSTART:20260302T090000\r\nDTEND:20260302T100000\r\n",
         alarm("TRIGGER:-P1D"), "", 1},
        {"a whole day's alarm the evening before", "DTSTART;VALUE=DATE:20260302\r\n",
         alarm("TRIGGER:-PT15M"), "", 1},
        {"a second alarm", "DTSTART:20260302T090000\r\nDTEND:20260302T100000\r\n",
         alarm("TRIGGER:-PT15M") + alarm("TRIGGER:-PT5M"), "08:45", 1},
        {"repeated", "DTSTART:20260302T090000\r\nDTEND:20260302T100000\r\n",
         alarm("TRIGGER:-PT10M", "REPEAT:2\r\nDURATION:PT5M\r\n"), "08:50", 1},
        {"after an end on the next day", "DTSTART:20260302T220000\r\nDTEND:20260303T010000\r\n",
         alarm("TRIGGER;RELATED=END:PT0S"), "", 1},
    };
    for (const auto& k : cases) {
        const IcsImportPlan plan =
            ReadIcs(Calendar("BEGIN:VEVENT\r\nUID:x\r\n" + k.start + "SUMMARY:e\r\n" + k.alarms +
                             "END:VEVENT\r\n"),
                    std::nullopt);
        ASSERT_TRUE(plan.ok()) << k.name << ": " << plan.error.toStdString();
        ASSERT_EQ(plan.entries.size(), 1u) << k.name;
        EXPECT_EQ(plan.entries[0].alarm, k.held) << k.name;
        EXPECT_EQ(plan.alarmsLost, k.lost) << k.name;
        EXPECT_EQ(IcsImportSummary(plan, {}).contains(QStringLiteral("アラーム")), k.lost > 0)
            << k.name;
    }
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
        // Dates and times that do not exist: the line that holds them.
        {"year 0", Calendar(good + "BEGIN:VEVENT\r\nUID:2\r\nDTSTART:00000101\r\nEND:VEVENT\r\n"),
         11},
        {"30 February",
         Calendar(good + "BEGIN:VEVENT\r\nUID:2\r\nDTSTART;VALUE=DATE:20260230\r\nEND:VEVENT\r\n"),
         11},
        {"month 13",
         Calendar(good + "BEGIN:VEVENT\r\nUID:2\r\nDTSTART:20261301T090000\r\nEND:VEVENT\r\n"),
         11},
        {"hour 25",
         Calendar(good + "BEGIN:VEVENT\r\nUID:2\r\nDTSTART:20261201T250000Z\r\nEND:VEVENT\r\n"),
         11},
        {"a date libical reads its own way",
         Calendar(good + "BEGIN:VEVENT\r\nUID:2\r\nDTSTART;VALUE=DATE:2026120\"\r\nEND:VEVENT\r\n"),
         9},
        {"impossible end",
         Calendar(good + "BEGIN:VEVENT\r\nUID:2\r\nDTSTART;VALUE=DATE:20261201\r\n"
                         "DTEND;VALUE=DATE:20261232\r\nEND:VEVENT\r\n"),
         12},
        {"impossible date left out",
         Calendar(good + "BEGIN:VEVENT\r\nUID:2\r\nDTSTART;VALUE=DATE:20261201\r\n"
                         "RRULE:FREQ=DAILY\r\nEXDATE;VALUE=DATE:20261202,20260229\r\nEND:VEVENT\r\n"),
         13},
        {"impossible UNTIL",
         Calendar(good + "BEGIN:VEVENT\r\nUID:2\r\nDTSTART;VALUE=DATE:20261201\r\n"
                         "RRULE:FREQ=WEEKLY;UNTIL=20270000\r\nEND:VEVENT\r\n"),
         12},
        // Zone offsets no clock has.
        {"offset -99:99",
         Calendar("BEGIN:VTIMEZONE\r\nTZID:Far\r\nBEGIN:STANDARD\r\nDTSTART:19700101T000000\r\n"
                  "TZOFFSETFROM:+0900\r\nTZOFFSETTO:-9999\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n" +
                  good),
         9},
        {"offset +15:00",
         Calendar("BEGIN:VTIMEZONE\r\nTZID:Far\r\nBEGIN:DAYLIGHT\r\nDTSTART:19700101T000000\r\n"
                  "TZOFFSETFROM:+1500\r\nTZOFFSETTO:+0900\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n" +
                  good),
         8},
        {"offset of no shape",
         Calendar("BEGIN:VTIMEZONE\r\nTZID:Far\r\nBEGIN:DAYLIGHT\r\nDTSTART:19700101T000000\r\n"
                  "TZOFFSETFROM:9\r\nTZOFFSETTO:+0900\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n" +
                  good),
         8},
    };
    for (const auto& k : cases) {
        const IcsImportPlan plan = ReadIcs(k.bytes, IcsExpandWindow{2026, 2027});
        EXPECT_FALSE(plan.ok()) << k.name;
        EXPECT_EQ(plan.errorLine, k.line) << k.name << ": " << plan.error.toStdString();
        EXPECT_TRUE(plan.error.contains(QStringLiteral("%1 行目").arg(k.line))) << k.name;
        EXPECT_TRUE(plan.entries.empty()) << k.name;
    }
}

// The offsets at the edge of what zones use are read, and move the time.
TEST(IcsImport, ZoneOffsetsUpToFourteenHoursAreRead)
{
    const IcsImportPlan plan = ReadIcs(
        Calendar("BEGIN:VTIMEZONE\r\nTZID:Line\r\nBEGIN:STANDARD\r\nDTSTART:19700101T000000\r\n"
                 "TZOFFSETFROM:+1400\r\nTZOFFSETTO:+1400\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n"
                 "BEGIN:VEVENT\r\nUID:k\r\nDTSTART;TZID=Line:20261211T140000\r\n"
                 "SUMMARY:Kiritimati\r\nEND:VEVENT\r\n"),
        std::nullopt);
    ASSERT_TRUE(plan.ok()) << plan.error.toStdString();
    ASSERT_EQ(plan.entries.size(), 1u);
    EXPECT_EQ(plan.entries[0].day, 11);
    EXPECT_EQ(plan.entries[0].startTime, "09:00"); // 00:00 UTC in Japan time
}

// Rules of every second, minute or hour are followed by day, from the
// window's first day, and never past its last day or the cap: a file with
// them imports at once instead of walking every second since 1900.
TEST(IcsImport, RulesMoreOftenThanDailyGiveTheDaysTheyFallOn)
{
    const struct
    {
        const char* name;
        QByteArray rule; // DTSTART and RRULE
        IcsExpandWindow window;
        int dates;
        const char* first;
        const char* last;
        bool capped;
    } cases[] = {
        {"every second since 1900", "DTSTART:19000101T000000\r\nRRULE:FREQ=SECONDLY\r\n",
         {2026, 2026}, 365, "2026-01-01", "2026-12-31", false},
        {"every second of February", "DTSTART:19000101T000000\r\nRRULE:FREQ=SECONDLY;BYMONTH=2\r\n",
         {2026, 2027}, 56, "2026-02-01", "2027-02-28", false},
        {"every 90 minutes from June", "DTSTART:20260601T000000\r\nRRULE:FREQ=MINUTELY;INTERVAL=90\r\n",
         {2026, 2026}, 214, "2026-06-01", "2026-12-31", false},
        {"3,000 minutes over the new year",
         "DTSTART:20261231T230000\r\nRRULE:FREQ=MINUTELY;COUNT=3000\r\n", {2026, 2027}, 3,
         "2026-12-31", "2027-01-02", false},
        {"every other day by hours", "DTSTART:20260101T100000\r\nRRULE:FREQ=HOURLY;INTERVAL=48\r\n",
         {2026, 2026}, 183, "2026-01-01", "2026-12-31", false},
        {"a count of seconds ending long before",
         "DTSTART:19000101T000000\r\nRRULE:FREQ=SECONDLY;COUNT=2000000000\r\n", {2026, 2026}, 0,
         "", "", false},
        {"daily since 1900 over ten years", "DTSTART:19000101T000000\r\nRRULE:FREQ=DAILY\r\n",
         {2026, 2035}, 1000, "2026-01-01", "2028-09-26", true},
        {"daily with a count from 1950", "DTSTART:19500101T000000\r\nRRULE:FREQ=DAILY;COUNT=100000\r\n",
         {2026, 2026}, 365, "2026-01-01", "2026-12-31", false},
    };
    for (const auto& k : cases) {
        const IcsImportPlan plan =
            ReadIcs(Calendar("BEGIN:VEVENT\r\nUID:s\r\n" + k.rule + "SUMMARY:Often\r\nEND:VEVENT\r\n"),
                    k.window);
        ASSERT_TRUE(plan.ok()) << k.name << ": " << plan.error.toStdString();
        EXPECT_EQ(int(plan.entries.size()), k.dates) << k.name;
        EXPECT_EQ(plan.capped, k.capped ? 1 : 0) << k.name;
        EXPECT_EQ(IcsImportSummary(plan, {}).contains(QStringLiteral("打ち切った予定：1件")), k.capped)
            << k.name;
        if (plan.entries.empty() || k.dates == 0)
            continue;
        const auto dateOf = [](const ScheduleEntry& e) {
            return QDate(e.year, e.month, e.day).toString(Qt::ISODate).toStdString();
        };
        EXPECT_EQ(dateOf(plan.entries.front()), k.first) << k.name;
        EXPECT_EQ(dateOf(plan.entries.back()), k.last) << k.name;
    }
}

TEST(IcsImport, TheExpansionWindowIsAtMostTenYearsBetween1950And2100)
{
    const struct
    {
        IcsExpandWindow window;
        bool fine;
    } cases[] = {
        {{2026, 2027}, true},  {{1950, 1959}, true},  {{2091, 2100}, true},
        {{2026, 2035}, true},  {{2026, 2036}, false}, {{1949, 1950}, false},
        {{2100, 2101}, false}, {{2027, 2026}, false}, {{0, 9999}, false},
    };
    const QByteArray file = Calendar("BEGIN:VEVENT\r\nUID:w\r\nDTSTART;VALUE=DATE:20260101\r\n"
                                     "RRULE:FREQ=DAILY;INTERVAL=2\r\nEND:VEVENT\r\n");
    for (const auto& k : cases) {
        const QString fault = IcsExpandWindowFault(k.window);
        EXPECT_EQ(fault.isEmpty(), k.fine) << k.window.fromYear << "-" << k.window.toYear;
        const IcsImportPlan plan = ReadIcs(file, k.window);
        EXPECT_EQ(plan.ok(), k.fine) << k.window.fromYear << "-" << k.window.toYear;
        if (!k.fine) {
            EXPECT_TRUE(plan.entries.empty());
            EXPECT_TRUE(plan.error.contains(QStringLiteral("1950"))) << plan.error.toStdString();
        }
    }
}

// Shapes other programs write.
TEST(IcsImport, ShapesOtherProgramsWriteAreRead)
{
    // A timed event that ends when it starts is one schedule of that day.
    IcsImportPlan plan = ReadIcs(
        Calendar("BEGIN:VEVENT\r\nUID:m\r\nDTSTART:20261211T100000\r\nDTEND:20261211T100000\r\n"
                 "SUMMARY:Moment\r\nEND:VEVENT\r\n"),
        IcsExpandWindow{2026, 2027});
    ASSERT_TRUE(plan.ok()) << plan.error.toStdString();
    EXPECT_EQ(plan.imported, 1);
    EXPECT_EQ(plan.needExpanding, 0);
    ASSERT_EQ(plan.entries.size(), 1u);
    ScheduleEntry moment = Entry(0, 2026, 12, 11, -1, -1, "Moment");
    moment.startTime = moment.endTime = "10:00";
    EXPECT_EQ(plan.entries[0], moment);

    // An expanded event of one day keeps its alarm on every date.
    plan = ReadIcs(Calendar("BEGIN:VEVENT\r\nUID:a\r\nDTSTART:20261228T090000\r\n"
                            "RRULE:FREQ=DAILY;COUNT=3\r\nSUMMARY:Pill\r\n"
                            "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n"
                            "END:VEVENT\r\n"),
                   IcsExpandWindow{2026, 2027});
    ASSERT_TRUE(plan.ok()) << plan.error.toStdString();
    ASSERT_EQ(plan.entries.size(), 3u);
    for (const ScheduleEntry& e : plan.entries)
        EXPECT_EQ(e.alarm, "08:45") << e.day;
}

// Folding as RFC 5545 allows it: with a tab, and at any octet (inside a
// character too); a byte-order mark before the calendar.
TEST(IcsImport, FoldsAndAByteOrderMarkAreRead)
{
    const QByteArray kana = "予定"; // six octets
    const struct
    {
        const char* name;
        QByteArray bytes;
        QString summary;
    } cases[] = {
        {"tab", Calendar("BEGIN:VEVENT\r\nUID:t\r\nDTSTART;VALUE=DATE:20261201\r\n"
                         "SUMMARY:Fol\r\n\tded\r\nEND:VEVENT\r\n"),
         "Folded"},
        {"inside a character",
         Calendar("BEGIN:VEVENT\r\nUID:u\r\nDTSTART;VALUE=DATE:20261201\r\nSUMMARY:" +
                  kana.left(4) + "\r\n " + kana.mid(4) + "\r\nEND:VEVENT\r\n"),
         QStringLiteral("予定")},
        {"byte-order mark", "\xEF\xBB\xBF" + Calendar("BEGIN:VEVENT\r\nUID:b\r\nDTSTART;VALUE=DATE:"
                                                      "20261201\r\nSUMMARY:BOM\r\nEND:VEVENT\r\n"),
         "BOM"},
    };
    for (const auto& k : cases) {
        const IcsImportPlan plan = ReadIcs(k.bytes, std::nullopt);
        ASSERT_TRUE(plan.ok()) << k.name << ": " << plan.error.toStdString();
        ASSERT_EQ(plan.entries.size(), 1u) << k.name;
        EXPECT_EQ(plan.entries[0].message, k.summary) << k.name;
    }
}

// Properties the import does not read cost nothing and never refuse a
// file; a text far longer than any field is cut, not kept whole.
TEST(IcsImport, UnreadPropertiesAreDroppedAndLongTextsCut)
{
    QByteArray event = "BEGIN:VEVENT\r\nUID:x\r\nDTSTART;VALUE=DATE:20261201\r\n";
    for (int i = 0; i < 50; ++i)
        event += "X-OTHER-" + QByteArray::number(i) + ":" + QByteArray(1000, 'x') + "\r\n";
    event += "ATTENDEE;broken\r\n"; // not read, but still no content line
    event += "SUMMARY:" + QByteArray(200000, 'y') + "\r\nEND:VEVENT\r\n";
    const QByteArray file = Calendar(event);
    const IcsLineCheck check = CheckIcsLines(file);
    EXPECT_FALSE(check.ok()) << "a line without a colon is still refused";

    event.replace("ATTENDEE;broken\r\n", "ATTENDEE;ROLE=CHAIR:mailto:a@b.example\r\n");
    const IcsLineCheck fine = CheckIcsLines(Calendar(event));
    ASSERT_TRUE(fine.ok()) << fine.reason.toStdString();
    EXPECT_LT(fine.kept.size() + fine.events.size(), 10000);
    EXPECT_FALSE(fine.events.contains("X-OTHER"));
    EXPECT_FALSE(fine.events.contains("ATTENDEE"));
    const IcsImportPlan plan = ReadIcs(Calendar(event), std::nullopt);
    ASSERT_TRUE(plan.ok()) << plan.error.toStdString();
    ASSERT_EQ(plan.entries.size(), 1u);
    const QString& message = plan.entries[0].message;
    EXPECT_EQ(message, QString(message.size(), u'y'));
    EXPECT_LE(message.size(), 1024);
    EXPECT_EQ(plan.cut, 1);
}

// A reading told to stop gives nothing to write.
TEST(IcsImport, AStoppedReadingGivesNothing)
{
    QByteArray events;
    for (int i = 0; i < 600; ++i)
        events += "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20261201\r\nSUMMARY:e" +
                  QByteArray::number(i) + "\r\nEND:VEVENT\r\n";
    std::vector<int> told;
    const IcsImportPlan read = ReadIcs(Calendar(events), std::nullopt, [&told](int done, int total) {
        EXPECT_EQ(total, 600);
        told.push_back(done);
        return true;
    });
    EXPECT_TRUE(read.ok());
    EXPECT_EQ(read.entries.size(), 600u);
    EXPECT_EQ(told, std::vector<int>({0, 256, 512}));

    const IcsImportPlan stopped =
        ReadIcs(Calendar(events), std::nullopt, [](int done, int) { return done < 256; });
    EXPECT_FALSE(stopped.ok());
    EXPECT_TRUE(stopped.stopped);
    EXPECT_TRUE(stopped.entries.empty());
}

} // namespace
} // namespace morvane
