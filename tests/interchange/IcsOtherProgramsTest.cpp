// Files shaped as other calendar programs write them, imported with an
// expansion window: each event shows on exactly the local days libical's
// recurrence iterator gives it, or is named as left out; never on a wrong
// day.

#include "interchange/IcsApply.h"
#include "interchange/IcsCommon.h"
#include "interchange/IcsDays.h"
#include "interchange/IcsExport.h"
#include "interchange/IcsImport.h"
#include "interchange/IcsSummary.h"

#include <QHash>
#include <gtest/gtest.h>

namespace morvane {
namespace {

using test::DaySet;

const IcsExpandWindow kWindow{2026, 2027};
const QDate kFirst(2026, 1, 1);
const QDate kLast(2027, 12, 31);

const QByteArray kTokyo = "BEGIN:VTIMEZONE\r\nTZID:Asia/Tokyo\r\nBEGIN:STANDARD\r\n"
                          "TZOFFSETFROM:+0900\r\nTZOFFSETTO:+0900\r\nTZNAME:JST\r\n"
                          "DTSTART:19700101T000000\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
const QByteArray kNewYork =
    "BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\nBEGIN:DAYLIGHT\r\nTZOFFSETFROM:-0500\r\n"
    "TZOFFSETTO:-0400\r\nTZNAME:EDT\r\nDTSTART:19700308T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\nEND:DAYLIGHT\r\nBEGIN:STANDARD\r\n"
    "TZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nTZNAME:EST\r\nDTSTART:19701101T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";

QByteArray Calendar(const QByteArray& zones, const QByteArray& events)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Calendar//EN\r\n" + zones +
           events + "END:VCALENDAR\r\n";
}

QByteArray Event(const QByteArray& uid, const QByteArray& summary, const QByteArray& lines)
{
    return "BEGIN:VEVENT\r\nUID:" + uid + "\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:" + summary +
           "\r\n" + lines + "END:VEVENT\r\n";
}

const QByteArray kAlarms =
    "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER;RELATED=END:-PT5M\r\nEND:VALARM\r\n"
    "BEGIN:VALARM\r\nACTION:AUDIO\r\nTRIGGER:-P1D\r\nEND:VALARM\r\n"
    "BEGIN:VALARM\r\nACTION:EMAIL\r\nTRIGGER;VALUE=DATE-TIME:20260302T000000Z\r\n"
    "DESCRIPTION:x\r\nSUMMARY:x\r\nATTENDEE:mailto:a@b.example\r\nEND:VALARM\r\n"
    "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT10M\r\nREPEAT:2\r\nDURATION:PT5M\r\nEND:VALARM\r\n";

// A calendar service: zones by name, rules by weekday lists, COUNT, UNTIL,
// EXDATE, moved and cancelled occurrences, events over several days.
QByteArray ServiceFile()
{
    return Calendar(
        kTokyo,
        Event("s1", "Standup MWF",
              "DTSTART;TZID=Asia/Tokyo:20260603T100000\r\nDTEND;TZID=Asia/Tokyo:20260603T101500\r\n"
              "RRULE:FREQ=WEEKLY;BYDAY=MO,WE,FR\r\n") +
            Event("s2", "Weekly sync",
                  "DTSTART;TZID=Asia/Tokyo:20260603T150000\r\n"
                  "RRULE:FREQ=WEEKLY;BYDAY=WE;UNTIL=20261230T055959Z\r\n") +
            Event("s3", "Rent", "DTSTART;VALUE=DATE:20260115\r\nRRULE:FREQ=MONTHLY;COUNT=10\r\n") +
            Event("s4", "Anniversary", "DTSTART;VALUE=DATE:20270401\r\nRRULE:FREQ=YEARLY\r\n") +
            Event("s5", "UTC call",
                  "DTSTART:20260104T230000Z\r\nDTEND:20260104T233000Z\r\nRRULE:FREQ=WEEKLY\r\n") +
            Event("s6", "Choir",
                  "DTSTART;TZID=Asia/Tokyo:20260108T190000\r\nRRULE:FREQ=WEEKLY;BYDAY=TH\r\n"
                  "EXDATE;TZID=Asia/Tokyo:20260212T190000,20260219T190000\r\n") +
            Event("s7", "Lunch",
                  "DTSTART;TZID=Asia/Tokyo:20260106T120000\r\nRRULE:FREQ=WEEKLY;BYDAY=TU\r\n") +
            Event("s7", "Lunch",
                  "RECURRENCE-ID;TZID=Asia/Tokyo:20260310T120000\r\n"
                  "DTSTART;TZID=Asia/Tokyo:20260311T130000\r\n") +
            Event("s7", "Lunch",
                  "RECURRENCE-ID;TZID=Asia/Tokyo:20260317T120000\r\nSTATUS:CANCELLED\r\n"
                  "DTSTART;TZID=Asia/Tokyo:20260317T120000\r\n") +
            Event("s8", "Cancelled party", "DTSTART:20260620T190000\r\nSTATUS:CANCELLED\r\n") +
            Event("s9", "Golden Week trip",
                  "DTSTART;VALUE=DATE:20260429\r\nDTEND;VALUE=DATE:20260507\r\n") +
            Event("s10", "Camp",
                  "DTSTART;TZID=Asia/Tokyo:20260810T180000\r\n"
                  "DTEND;TZID=Asia/Tokyo:20260812T100000\r\n") +
            Event("s11", "Every month on the 31st",
                  "DTSTART;VALUE=DATE:20260131\r\nRRULE:FREQ=MONTHLY;BYMONTHDAY=31\r\n") +
            Event("s12", "Early new year",
                  "DTSTART:20251231T153000Z\r\nRRULE:FREQ=DAILY;COUNT=3\r\n") +
            Event("s13", "Alarms of every kind",
                  "DTSTART;TZID=Asia/Tokyo:20260302T090000\r\n"
                  "DTEND;TZID=Asia/Tokyo:20260302T100000\r\n" + kAlarms));
}

// A desktop program in New York: its zone has daylight time.
QByteArray NewYorkFile()
{
    return Calendar(
        kNewYork,
        Event("n1", "NY class",
              "DTSTART;TZID=America/New_York:20260106T200000\r\n"
              "DTEND;TZID=America/New_York:20260106T210000\r\nRRULE:FREQ=WEEKLY;BYDAY=TU\r\n") +
            Event("n2", "Fireworks", "DTSTART;TZID=America/New_York:20260704T200000\r\n") +
            Event("n3", "Board",
                  "DTSTART;TZID=America/New_York:20260113T200000\r\n"
                  "RRULE:FREQ=MONTHLY;BYDAY=2TU\r\n") +
            Event("n4", "Conference",
                  "DTSTART;TZID=America/New_York:20261030T090000\r\nRRULE:FREQ=DAILY;COUNT=5\r\n") +
            Event("n5", "Late Sunday",
                  "DTSTART;TZID=America/New_York:20260104T230000\r\n"
                  "RRULE:FREQ=WEEKLY;BYDAY=SU,SA\r\n"));
}

// A byte-order mark, and a folded line cut inside a character.
QByteArray MarkedFile()
{
    const QByteArray summary = "週次の打ち合わせ";
    return "\xEF\xBB\xBF" +
           Calendar({}, "BEGIN:VEVENT\r\nUID:b1\r\nDTSTART;VALUE=DATE:20260107\r\n"
                        "RRULE:FREQ=WEEKLY\r\nSUMMARY:" +
                            summary.left(7) + "\r\n " + summary.mid(7) + "\r\nEND:VEVENT\r\n");
}

// Five thousand events of the shapes above.
QByteArray LargeFile()
{
    QByteArray events;
    for (int i = 0; i < 5000; ++i) {
        const QByteArray n = QByteArray::number(i);
        const QDate day = QDate(2026, 1, 1).addDays(i % 700);
        const QByteArray date = day.toString(QStringLiteral("yyyyMMdd")).toLatin1();
        QByteArray lines;
        switch (i % 6) {
        case 0:
            lines = "DTSTART;VALUE=DATE:" + date + "\r\n";
            break;
        case 1:
            lines = "DTSTART:" + date + "T1" + QByteArray::number(i % 10) + "0000Z\r\n";
            break;
        case 2:
            lines = "DTSTART;TZID=Asia/Tokyo:" + date + "T080000\r\nRRULE:FREQ=WEEKLY;COUNT=" +
                    QByteArray::number(i % 9 + 1) + "\r\n";
            break;
        case 3:
            lines = "DTSTART;TZID=America/New_York:" + date + "T190000\r\n";
            break;
        case 4:
            lines = "DTSTART;VALUE=DATE:" + date + "\r\nDTEND;VALUE=DATE:" +
                    day.addDays(i % 3 + 1).toString(QStringLiteral("yyyyMMdd")).toLatin1() + "\r\n";
            break;
        default:
            lines = "DTSTART;TZID=Asia/Tokyo:" + date + "T210000\r\nDTEND;TZID=Asia/Tokyo:" + date +
                    "T230000\r\nSTATUS:" + (i % 12 == 5 ? "CANCELLED" : "CONFIRMED") + "\r\n";
            break;
        }
        events += Event("g" + n, "gen " + n, lines);
    }
    return Calendar(kTokyo + kNewYork, events);
}

// The local days an occurrence covers: whole days up to the end date, a
// timed event up to the day of its end unless it ends at midnight.
int DayCount(icalcomponent* ev)
{
    if (!icalcomponent_get_first_property(ev, ICAL_DTEND_PROPERTY))
        return 1;
    const icaltimetype start = icalcomponent_get_dtstart(ev);
    const icaltimetype end = icalcomponent_get_dtend(ev);
    const QDate from = test::LocalDay(start);
    const QDate to = test::LocalDay(end);
    if (start.is_date)
        return std::max<int>(1, int(from.daysTo(to)));
    const auto local = [](const icaltimetype& t) {
        return QDateTime::fromSecsSinceEpoch(icaltime_as_timet_with_zone(t, t.zone)).toLocalTime();
    };
    const QDateTime localStart = local(start), localEnd = local(end);
    // Under a day, the schedule holds it with an end time on its start day.
    if (localStart.secsTo(localEnd) < 86400)
        return 1;
    return int(from.daysTo(to)) + (localEnd.time() == QTime(0, 0) ? 0 : 1);
}

// The days each event (by SUMMARY) should show on in the window.
std::map<QString, DaySet> ExpectedDays(const QByteArray& bytes, int* cancelled)
{
    QByteArray text = bytes;
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    ics::Component calendar(icalparser_parse_string(text.constData()));
    EXPECT_TRUE(calendar);
    QHash<QByteArray, std::vector<icaltimetype>> moved;
    icalcomponent* root = calendar.get();
    for (icalcomponent* ev = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT); ev;
         ev = icalcomponent_get_next_component(root, ICAL_VEVENT_COMPONENT)) {
        if (icalproperty* id = icalcomponent_get_first_property(ev, ICAL_RECURRENCEID_PROPERTY))
            moved[icalcomponent_get_uid(ev)].push_back(
                icalproperty_get_datetime_with_component(id, ev));
    }
    std::map<QString, DaySet> expected;
    for (icalcomponent* ev = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT); ev;
         ev = icalcomponent_get_next_component(root, ICAL_VEVENT_COMPONENT)) {
        const QString summary = QString::fromUtf8(icalcomponent_get_summary(ev));
        DaySet& days = expected[summary];
        const bool replaces = icalcomponent_get_first_property(ev, ICAL_RECURRENCEID_PROPERTY);
        if (icalcomponent_get_status(ev) == ICAL_STATUS_CANCELLED) {
            *cancelled += replaces ? 0 : 1;
            continue;
        }
        const DaySet found =
            test::OccurrenceDays(ev, kFirst, kLast,
                                 replaces ? std::vector<icaltimetype>{}
                                          : moved.value(icalcomponent_get_uid(ev)),
                                 DayCount(ev));
        days.insert(found.begin(), found.end());
    }
    return expected;
}

// The days each schedule's first line shows on.
std::map<QString, DaySet> ShownBySummary(Recordset& schedules)
{
    std::map<qint64, QString> summaries;
    for (const ExportRecord& record : ReadExportRecords(schedules))
        summaries[record.id] = record.entry.message.section(u'\n', 0, 0);
    std::map<QString, DaySet> shown;
    for (const auto& [id, days] : test::ShownDays(schedules, kFirst, kLast))
        shown[summaries[id]].insert(days.begin(), days.end());
    return shown;
}

TEST(IcsOtherPrograms, EveryEventShowsOnItsOwnLocalDaysOrIsNamedAsLeftOut)
{
    const struct
    {
        const char* name;
        QByteArray bytes;
    } files[] = {
        {"calendar service", ServiceFile()},
        {"New York desktop", NewYorkFile()},
        {"byte-order mark and a fold inside a character", MarkedFile()},
        {"5,000 events", LargeFile()},
    };
    for (const auto& f : files) {
        QTemporaryDir dir;
        const auto file = test::NewScheduleFile(dir, QStringLiteral("import"));
        const IcsImportPlan plan = ReadIcs(f.bytes, kWindow);
        ASSERT_TRUE(plan.ok()) << f.name << ": " << plan.error.toStdString();
        const IcsApplyResult applied =
            ApplyIcsEntries(file->database(), file->schedules(), plan.entries);
        ASSERT_TRUE(applied.ok()) << f.name;
        int cancelled = 0;
        const std::map<QString, DaySet> expected = ExpectedDays(f.bytes, &cancelled);
        const std::map<QString, DaySet> shown = ShownBySummary(file->schedules());
        EXPECT_EQ(plan.cancelled, cancelled) << f.name;
        int wrong = 0, leftOut = 0;
        for (const auto& [summary, days] : expected) {
            const auto found = shown.find(summary);
            const DaySet& here = found == shown.end() ? DaySet{} : found->second;
            if (here == days)
                continue;
            if (here.empty()) {
                ++leftOut;
                continue;
            }
            ++wrong;
            ADD_FAILURE() << f.name << ", " << summary.toStdString() << ": "
                          << test::DayDifference(here, days).toStdString();
        }
        for (const auto& [summary, days] : shown) {
            if (!expected.count(summary))
                ADD_FAILURE() << f.name << ": a schedule of no event: " << summary.toStdString();
        }
        EXPECT_EQ(wrong, 0) << f.name;
        EXPECT_EQ(leftOut, plan.skipped) << f.name << ": an event left out without a word";
        EXPECT_EQ(plan.capped, 0) << f.name;
    }
}

} // namespace
} // namespace morvane
