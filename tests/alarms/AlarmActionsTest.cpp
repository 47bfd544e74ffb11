#include "alarms/AlarmActions.h"

#include "AlarmFixture.h"
#include "RefusedWrites.h"
#include "alarms/AlarmCaption.h"
#include "alarms/AlarmRules.h"

#include <QDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace morvane;
using namespace morvane::test;
namespace f = schedule_fields;

namespace {

const QDate kTuesday(2026, 12, 8);

// The window's OK on record id, with the caption it would show.
AlarmOkResult Ok(AlarmWorld& world, qint64 id, AlarmOkInput input, int* questions = nullptr,
                 bool answer = true)
{
    world.rs().SetAbsolutePosition(world.rs().PositionOfRecordId(id));
    const AlarmRecord record = ReadAlarmRecord(world.rs());
    input.caption = AlarmCaptionLine(record.pattern, record.alarm);
    return AlarmOk(world.context, id, input, [&] {
        if (questions)
            ++*questions;
        return answer;
    });
}

AlarmOkInput Text(const QString& text)
{
    AlarmOkInput input;
    input.text = text;
    return input;
}

} // namespace

TEST(PickerDefaults, Table)
{
    const auto alarm = [](const char* text) {
        return std::optional<QString>(QString(text));
    };
    EXPECT_EQ(DefaultRealarmTime(alarm("09:30"), QTime(10, 15)), QTime(11, 0));
    EXPECT_EQ(DefaultRealarmTime(alarm("09:30"), QTime(23, 30)), QTime(0, 0));
    EXPECT_EQ(DefaultRealarmTime(alarm("23:10"), QTime(10, 0)), QTime(0, 0));
    EXPECT_EQ(DefaultRealarmTime(alarm("0:30"), QTime(10, 0)), QTime(0, 0));
    EXPECT_EQ(DefaultRealarmTime(alarm(" "), QTime(10, 0)), QTime(0, 0));
    EXPECT_EQ(RingAgainTime(QTime(22, 59)), QTime(23, 0));
    EXPECT_EQ(RingAgainTime(QTime(23, 30)), QTime(23, 59));
    EXPECT_EQ(MoveAlarmTime(alarm("7:05")), QTime(7, 5));
    EXPECT_EQ(MoveAlarmTime(alarm(" ")), QTime(0, 0));
    EXPECT_EQ(MoveAlarmTime(std::nullopt), QTime(0, 0));

    const SchedulePattern today{0, 2026, 12, 8, -1, -1};
    const SchedulePattern lastWeek{0, 2026, 12, 1, -1, -1};
    const SchedulePattern weekly{0, 0, 0, -1, 0, 3};
    EXPECT_EQ(DefaultMoveDate(today, kTuesday), QDate(2026, 12, 9));
    EXPECT_EQ(DefaultMoveDate(lastWeek, kTuesday), kTuesday);
    EXPECT_EQ(DefaultMoveDate(weekly, kTuesday), kTuesday);
    EXPECT_TRUE(RingAgainSuggestsMove(lastWeek, kTuesday));
    EXPECT_FALSE(RingAgainSuggestsMove(today, kTuesday));
    EXPECT_FALSE(RingAgainSuggestsMove(weekly, kTuesday));
}

TEST(AlarmOk, OneOffIsAcknowledgedForGoodAndItsTextSaved)
{
    AlarmWorld world(QDateTime(kTuesday, QTime(9, 31)));
    const qint64 id =
        world.add(OneOff(2026, 12, 8, QStringLiteral("09:30"), QStringLiteral("会議")));
    world.scan();
    int questions = 0;
    const AlarmOkResult result =
        Ok(world, id, Text(QStringLiteral("会議 (第3会議室)")), &questions);
    EXPECT_EQ(result.outcome, AlarmOkOutcome::Done);
    EXPECT_EQ(questions, 0);
    EXPECT_EQ(world.field(id, f::Alarm), QStringLiteral(" "));
    EXPECT_TRUE(world.isNull(id, f::AlarmFlag));
    EXPECT_EQ(world.messageOf(id), QStringLiteral("会議 (第3会議室)"));
    EXPECT_EQ(world.drawings, 0);
}

TEST(AlarmOk, WeeklyIsAcknowledgedForTodayWithoutAQuestion)
{
    AlarmWorld world(QDateTime(kTuesday, QTime(10, 1)));
    world.add(OneOff(2026, 12, 7, QStringLiteral("09:00")));
    const qint64 id = world.add(Weekday(0, 3, QStringLiteral("10:00"), QStringLiteral("ゴミ出し")));
    world.scan();
    ASSERT_EQ(world.positions(), (std::vector<int>{0, 1}));
    int questions = 0;
    EXPECT_EQ(Ok(world, id, Text(QStringLiteral("ゴミ出し")), &questions).outcome,
              AlarmOkOutcome::Done);
    EXPECT_EQ(questions, 0);
    EXPECT_EQ(world.field(id, f::AlarmFlag), QStringLiteral("2026/12/08"));
    EXPECT_EQ(world.field(id, f::Alarm), QStringLiteral("10:00"));
    EXPECT_EQ(world.positions(), (std::vector<int>{0, -1}));
    world.scan(); // and it stays silent for the rest of the run
    EXPECT_EQ(world.positions(), std::vector<int>{0});
}

TEST(AlarmOk, RingAgainOnARecurringScheduleAsksFirst)
{
    AlarmWorld world(QDateTime(kTuesday, QTime(10, 1)));
    const qint64 id = world.add(Weekday(0, 3, QStringLiteral("10:00"), QStringLiteral("ゴミ出し")));
    world.scan();
    AlarmOkInput input = Text(QStringLiteral("書き換え"));
    input.ringAgain = true;
    input.ringAgainTime = QTime(7, 5);

    int questions = 0;
    EXPECT_EQ(Ok(world, id, input, &questions, false).outcome, AlarmOkOutcome::Declined);
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(world.field(id, f::Alarm), QStringLiteral("10:00"));
    EXPECT_EQ(world.messageOf(id), QStringLiteral("ゴミ出し"));

    EXPECT_EQ(Ok(world, id, input, &questions, true).outcome, AlarmOkOutcome::Done);
    EXPECT_EQ(questions, 2);
    EXPECT_EQ(world.field(id, f::Alarm), QStringLiteral("07:05"));
    EXPECT_TRUE(world.isNull(id, f::AlarmFlag));
    EXPECT_EQ(world.positions(), std::vector<int>{0}); // rings again at 7:05 next week
    EXPECT_EQ(world.messageOf(id), QStringLiteral("書き換え"));
}

TEST(AlarmOk, RingAgainLateInTheEvening)
{
    AlarmWorld world(QDateTime(kTuesday, QTime(23, 30)));
    const qint64 id = world.add(OneOff(2026, 12, 8, QStringLiteral("23:30")));
    world.scan();
    AlarmOkInput input;
    input.ringAgain = true;
    input.ringAgainTime = RingAgainTime(world.clock.now().time());
    EXPECT_EQ(Ok(world, id, input).outcome, AlarmOkOutcome::Done);
    EXPECT_EQ(world.field(id, f::Alarm), QStringLiteral("23:59"));
}

TEST(AlarmOk, MoveOfAScheduleDatedToday)
{
    AlarmWorld world(QDateTime(kTuesday, QTime(9, 31)));
    const qint64 id =
        world.add(OneOff(2026, 12, 8, QStringLiteral("09:30"), QStringLiteral("歯医者")));
    world.scan();
    world.rs().SetAbsolutePosition(0);
    const AlarmRecord record = ReadAlarmRecord(world.rs());
    AlarmOkInput input = Text(QStringLiteral("歯医者"));
    input.moveDate = true;
    input.ringAgain = true; // the move box checks it
    input.moveTo = DefaultMoveDate(record.pattern, kTuesday);
    input.ringAgainTime = MoveAlarmTime(record.alarm);
    int questions = 0;
    EXPECT_EQ(Ok(world, id, input, &questions).outcome, AlarmOkOutcome::Done);
    EXPECT_EQ(questions, 0);
    EXPECT_EQ(world.field(id, f::Year), QStringLiteral("2026"));
    EXPECT_EQ(world.field(id, f::Month), QStringLiteral("12"));
    EXPECT_EQ(world.field(id, f::Day), QStringLiteral("9"));
    EXPECT_EQ(world.field(id, f::Alarm), QStringLiteral("09:30"));
    EXPECT_TRUE(world.isNull(id, f::AlarmFlag));
    EXPECT_EQ(world.drawings, 1);
}

TEST(AlarmOk, TooLongATextGetsTheByteMessageAndKeepsTheAcknowledgement)
{
    AlarmWorld world(QDateTime(kTuesday, QTime(9, 31)));
    const qint64 id = world.add(OneOff(2026, 12, 8, QStringLiteral("09:30"), QStringLiteral("元")));
    world.scan();
    const QString tooLong = QString(513, QChar(u'あ')); // 1026 bytes
    const AlarmOkResult result = Ok(world, id, Text(tooLong));
    EXPECT_EQ(result.outcome, AlarmOkOutcome::TextTooLong);
    EXPECT_EQ(result.message.title, QStringLiteral(u"予定の保存"));
    EXPECT_EQ(result.message.icon, MessageIcon::Exclamation);
    EXPECT_EQ(result.message.text,
              QStringLiteral(u"予定内容の文字数が多すぎます。\r\n1024バイト以内で指定してください。"
                             u"\r\n\r\n（現在のバイト数=1026バイト）"));
    EXPECT_EQ(world.messageOf(id), QStringLiteral("元"));
    EXPECT_EQ(world.field(id, f::Alarm), QStringLiteral(" "));
    EXPECT_EQ(world.rs().GetEditMode(), EditMode::None);
}

TEST(AlarmOk, DeleteRedrawsAndRescans)
{
    AlarmWorld world(QDateTime(kTuesday, QTime(10, 1)));
    const qint64 gone = world.add(OneOff(2026, 12, 8, QStringLiteral("10:00")));
    const qint64 kept = world.add(OneOff(2026, 12, 8, QStringLiteral("11:00")));
    world.scan();
    AlarmOkInput input;
    input.deleteSchedule = true;
    EXPECT_EQ(Ok(world, gone, input).outcome, AlarmOkOutcome::Done);
    EXPECT_EQ(world.rs().PositionOfRecordId(gone), -1);
    EXPECT_EQ(world.drawings, 1);
    EXPECT_EQ(world.scanRequests, 1);
    ASSERT_EQ(world.context.alarms.AlarmList.size(), 1u);
    EXPECT_EQ(world.context.alarms.AlarmList[0], (AlarmEntry{0, kept}));
}

TEST(AlarmOk, DeletingARecurringScheduleAsksFirst)
{
    AlarmWorld world(QDateTime(kTuesday, QTime(10, 1)));
    const qint64 id = world.add(Monthly(8, QStringLiteral("10:00")));
    world.scan();
    AlarmOkInput input;
    input.deleteSchedule = true;
    int questions = 0;
    EXPECT_EQ(Ok(world, id, input, &questions, false).outcome, AlarmOkOutcome::Declined);
    EXPECT_EQ(world.rs().PositionOfRecordId(id), 0);
    EXPECT_EQ(Ok(world, id, input, &questions, true).outcome, AlarmOkOutcome::Done);
    EXPECT_EQ(world.rs().PositionOfRecordId(id), -1);
    EXPECT_EQ(questions, 2);
}

TEST(AlarmOk, ARecordDeletedMeanwhileIsNotTouched)
{
    AlarmWorld world(QDateTime(kTuesday, QTime(10, 1)));
    const qint64 id = world.add(OneOff(2026, 12, 8, QStringLiteral("10:00")));
    const qint64 other =
        world.add(OneOff(2026, 12, 8, QStringLiteral("11:00"), QStringLiteral("別")));
    world.scan();
    world.rs().SetAbsolutePosition(0);
    world.rs().Delete();
    const AlarmOkResult result = AlarmOk(world.context, id, Text(QStringLiteral("x")), {});
    EXPECT_EQ(result.outcome, AlarmOkOutcome::RecordGone);
    EXPECT_FALSE(result.message.text.isEmpty());
    EXPECT_EQ(world.messageOf(other), QStringLiteral("別"));
    EXPECT_EQ(world.field(other, f::Alarm), QStringLiteral("11:00"));
}

// The file refuses the final save (a trigger stands in for a full or failing
// disk): the failure is reported under "予定の保存", the acknowledgement
// written before it stays, and nothing else is claimed done.
TEST(AlarmOk, AFailedFinalSaveIsReported)
{
    QTemporaryDir dir;
    const QString path = DataFilePath(dir.path());
    {
        auto database = CreateScheduleDatabase(path);
        CreateMemoTable(*database);
    }
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &raw), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(raw,
                           "CREATE TRIGGER refuse BEFORE UPDATE ON Schedule "
                           "WHEN NEW.Message = 'refused' BEGIN SELECT RAISE(ABORT, 'disk'); END",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(raw);

    AlarmWorld world(QDateTime(kTuesday, QTime(9, 31)));
    world.context.setDatabase(std::make_unique<ScheduleDatabase>(Database::OpenDatabase(path)));
    const qint64 id = world.add(OneOff(2026, 12, 8, QStringLiteral("09:30"), QStringLiteral("元")));
    world.scan();
    const AlarmOkResult result = Ok(world, id, Text(QStringLiteral("refused")));
    EXPECT_EQ(result.outcome, AlarmOkOutcome::Failed);
    EXPECT_EQ(result.message.title, QStringLiteral(u"予定の保存"));
    EXPECT_TRUE(
        result.message.text.startsWith(QStringLiteral(u"保存処理に失敗しました。")));
    EXPECT_EQ(world.messageOf(id), QStringLiteral("元"));
    EXPECT_EQ(world.field(id, f::Alarm), QStringLiteral(" "));
    EXPECT_EQ(world.rs().GetEditMode(), EditMode::None);
}

// The data file can no longer be written: whatever OK was asked to do,
// the message names the file and the reason, nothing is changed, and the
// alarm stays listed, so it is not lost. Once the file can be written again
// the same OK goes through.
TEST(AlarmOk, AnUnwritableDataFileIsNamedAndTheAlarmKept)
{
    struct Case
    {
        const char* name;
        bool deleteSchedule;
        bool ringAgain;
        bool moveDate;
    };
    for (const Case& c :
         {Case{"acknowledge", false, false, false}, Case{"delete", true, false, false},
          Case{"ring again and move", false, true, true}}) {
        SCOPED_TRACE(c.name);
        AlarmWorld world(QDateTime(kTuesday, QTime(9, 31)));
        ASSERT_TRUE(InstallWriteRefusal(world));
        const qint64 id =
            world.add(OneOff(2026, 12, 8, QStringLiteral("09:30"), QStringLiteral("元")));
        world.scan();
        RefuseWrites(world, true);

        AlarmOkInput input = Text(QStringLiteral("書き換え"));
        input.deleteSchedule = c.deleteSchedule;
        input.ringAgain = c.ringAgain;
        input.ringAgainTime = QTime(11, 0);
        input.moveDate = c.moveDate;
        input.moveTo = QDate(2026, 12, 9);
        const AlarmOkResult result = Ok(world, id, input);
        EXPECT_EQ(result.outcome, AlarmOkOutcome::Failed);
        EXPECT_EQ(result.message.title, QStringLiteral(u"予定の保存"));
        EXPECT_TRUE(result.message.text.contains(QStringLiteral(u"書き込めません")))
            << result.message.text.toStdString();
        EXPECT_TRUE(
            result.message.text.contains(QDir::toNativeSeparators(DataFilePath(world.dir.path()))))
            << result.message.text.toStdString();
        EXPECT_EQ(world.rs().PositionOfRecordId(id), 0);
        EXPECT_EQ(world.field(id, f::Alarm), QStringLiteral("09:30"));
        EXPECT_EQ(world.messageOf(id), QStringLiteral("元"));
        EXPECT_EQ(world.field(id, f::Day), QStringLiteral("8"));
        EXPECT_EQ(world.positions(), std::vector<int>{0});
        EXPECT_EQ(world.rs().GetEditMode(), EditMode::None);

        RefuseWrites(world, false);
        EXPECT_EQ(Ok(world, id, input).outcome, AlarmOkOutcome::Done);
        if (c.deleteSchedule)
            EXPECT_EQ(world.rs().PositionOfRecordId(id), -1);
        else
            EXPECT_EQ(world.messageOf(id), QStringLiteral("書き換え"));
    }
}

TEST(AlarmOk, AClosedDatabaseIsReportedNotThrown)
{
    AlarmWorld world(QDateTime(kTuesday, QTime(9, 31)));
    const qint64 id = world.add(OneOff(2026, 12, 8, QStringLiteral("09:30")));
    world.scan();
    world.context.database()->Close();
    AlarmOkResult result;
    EXPECT_NO_THROW(result = AlarmOk(world.context, id, Text(QStringLiteral("x")), {}));
    EXPECT_EQ(result.outcome, AlarmOkOutcome::Failed);
    EXPECT_EQ(result.message.title, QStringLiteral(u"予定の保存"));
}
