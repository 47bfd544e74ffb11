#include "RecordsTestSupport.h"
#include "core/AnsiText.h"
#include "data/records/LegacyCalIni.h"
#include "data/records/ScheduleDatabase.h"
#include "data/records/ScheduleFields.h"
#include "data/records/SchedulePattern.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace morvane {
namespace {

namespace f = schedule_fields;
using test::FileBytes;
using test::WriteFile;

constexpr std::nullopt_t Null = std::nullopt;

struct Imported
{
    SchedulePattern pattern;
    std::optional<int> color;
    QString message;
    QString alarm;
};

class LegacyImportTest : public ::testing::Test
{
protected:
    OpenScheduleResult Open()
    {
        return OpenScheduleDatabase(m_folder.path(),
                                    [this](const UserMessage& m) { notices.push_back(m); });
    }
    QString legacyPath() const { return LegacyFilePath(m_folder.path()); }

    static std::vector<Imported> Records(Recordset& rs)
    {
        std::vector<Imported> records;
        for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
            records.push_back({ReadSchedulePattern(rs), OptionalInt(rs.GetValue(f::Color)),
                               rs.GetValue(f::Message).toString(),
                               rs.GetValue(f::Alarm).toString()});
            EXPECT_TRUE(rs.GetValue(f::Mark).isNull());
        }
        return records;
    }

    std::vector<UserMessage> notices;

private:
    QTemporaryDir m_folder;
};

TEST_F(LegacyImportTest, EveryEntryBecomesOneRecordExceptFifthWeekOnes)
{
    const QString calIni = QStringLiteral("2026/12/08,\"会議, 本社\",12,\"09:30\"\r\n"
                                          "9999/99/15,給料日,0,\r\n"
                                          "9999/99/15,給料日(赤),12,\r\n"
                                          "9999/03/Vernal,春分の日,12,\r\n"
                                          "9999/01/2mon,成人の日,12,\r\n"
                                          "9999/06/5fri,第5金曜の会,0,\r\n"
                                          "1950/05/05,こどもの日,12,\"07:00\"\r\n");
    WriteFile(legacyPath(), ToAnsi(calIni));
    const QByteArray legacyBefore = FileBytes(legacyPath());

    OpenScheduleResult result = Open();
    ASSERT_EQ(result.outcome, OpenOutcome::ImportedLegacy);
    EXPECT_EQ(result.importedCount, 6);

    const std::vector<Imported> records = Records(result.database->schedules());
    //                                  type year month day week weekday
    const std::vector<Imported> expected{
        {{0, 2026, 12, 8, Null, Null}, 12, "会議, 本社", "09:30"},
        {{4, 0, 0, 15, Null, Null}, 0, "給料日", ""},
        {{1, 0, 0, 15, Null, Null}, 12, "給料日(赤)", ""},
        {{10, 0, 3, Null, Null, Null}, 12, "春分の日", ""},
        {{1, 0, 1, Null, 2, 2}, 12, "成人の日", ""},
        {{0, 0, 5, 5, Null, Null}, 12, "こどもの日", "07:00"},
    };
    ASSERT_EQ(records.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].message.toStdString());
        const SchedulePattern& got = records[i].pattern;
        const SchedulePattern& want = expected[i].pattern;
        EXPECT_EQ(got.type, want.type);
        EXPECT_EQ(got.year, want.year);
        EXPECT_EQ(got.month, want.month);
        EXPECT_EQ(got.day, want.day);
        EXPECT_EQ(got.week, want.week);
        EXPECT_EQ(got.dayOfTheWeek, want.dayOfTheWeek);
        EXPECT_EQ(records[i].color, expected[i].color);
        EXPECT_EQ(records[i].message, expected[i].message);
        EXPECT_EQ(records[i].alarm, expected[i].alarm);
    }

    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].text, FifthWeekWarningText(QStringLiteral("第5金曜の会")));
    EXPECT_EQ(notices[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(notices[0].title, QStringLiteral("モルヴァ"));

    // Memos work in the same run; the old file stays as it was.
    EXPECT_TRUE(result.database->database().HasTable(memo_fields::Table));
    EXPECT_EQ(result.database->memos().RecordCount(), 0);
    EXPECT_EQ(FileBytes(legacyPath()), legacyBefore);
}

TEST_F(LegacyImportTest, ImportsOnlyWhileNoDataFileExists)
{
    WriteFile(legacyPath(), ToAnsi(QStringLiteral("9999/02/14,バレンタイン,0,\r\n")));
    {
        ASSERT_EQ(Open().outcome, OpenOutcome::ImportedLegacy);
    }
    OpenScheduleResult again = Open();
    ASSERT_EQ(again.outcome, OpenOutcome::Opened);
    EXPECT_EQ(again.database->schedules().RecordCount(), 1);
}

TEST_F(LegacyImportTest, AnUnreadableLegacyFileImportsNothingAndSaysSo)
{
    // A folder by that name exists but cannot be read as a file.
    ASSERT_TRUE(QDir().mkpath(legacyPath()));

    OpenScheduleResult result = Open();
    ASSERT_EQ(result.outcome, OpenOutcome::ImportedLegacy);
    EXPECT_EQ(result.database->schedules().RecordCount(), 0);
    EXPECT_TRUE(result.database->database().HasTable(memo_fields::Table));
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_TRUE(notices[0].text.contains(QDir::toNativeSeparators(legacyPath())));
}

TEST_F(LegacyImportTest, AMessageLongerThanTheFieldIsCutAtItsCapacity)
{
    const QString longMessage(text_capacity::Message, QChar(u'予')); // two bytes each
    WriteFile(legacyPath(), ToAnsi(QStringLiteral("2026/01/01,") + longMessage + ",0,\r\n"));

    OpenScheduleResult result = Open();
    Recordset& rs = result.database->schedules();
    ASSERT_EQ(rs.RecordCount(), 1);
    rs.MoveFirst();
    EXPECT_EQ(rs.GetValue(f::Message).toString(), longMessage.left(text_capacity::Message / 2));
}

// A start that ends while the import's warning is shown (a kill, a log-off)
// keeps nothing: no data file, nothing half-built under another name. The
// next start imports every entry once, as if the first had never run.
TEST_F(LegacyImportTest, AStartStoppedDuringTheWarningLeavesNoDataFileAndImportsOnceLater)
{
    WriteFile(legacyPath(), ToAnsi(QStringLiteral("2026/01/05,仕事始め,0,\r\n"
                                                  "9999/06/5fri,第5金曜の会,0,\r\n"
                                                  "9999/12/25,クリスマス,0,\r\n")));
    const QString folder = QFileInfo(legacyPath()).absolutePath();
    const auto folderEntries = [&] {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    };

    bool stop = true;
    OpenScheduleResult stopped = OpenScheduleDatabase(
        folder, [this](const UserMessage& m) { notices.push_back(m); }, [&] { return stop; });
    EXPECT_EQ(stopped.outcome, OpenOutcome::Stopped);
    EXPECT_FALSE(stopped.database);
    ASSERT_EQ(notices.size(), 1u) << "the warning came before the stop";
    EXPECT_EQ(folderEntries(), QStringList({"Cal.ini"}));

    // Killed outright instead: what the building left is thrown away.
    WriteFile(DataFilePath(folder) + ".new", "half a database");
    WriteFile(DataFilePath(folder) + ".new-journal", "its journal");

    stop = false;
    notices.clear();
    OpenScheduleResult next = OpenScheduleDatabase(
        folder, [this](const UserMessage& m) { notices.push_back(m); }, [&] { return stop; });
    ASSERT_EQ(next.outcome, OpenOutcome::ImportedLegacy);
    const std::vector<Imported> records = Records(next.database->schedules());
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].message, QStringLiteral("仕事始め"));
    EXPECT_EQ(records[1].message, QStringLiteral("クリスマス"));
    EXPECT_EQ(notices.size(), 1u);
    next.database->Close();
    EXPECT_EQ(folderEntries(), QStringList({"Cal.ini", "Morva.dat"}));
}

// Thousands of fifth-week entries ask for one click, not thousands, and a
// huge text shows only its start.
TEST_F(LegacyImportTest, ManyLeftOutEntriesGiveOneShortWarningWithTheirCount)
{
    QString calIni = QStringLiteral("9999/01/01,元旦,12,\r\n");
    const QString huge(2 * 1024 * 1024, QChar(u'長'));
    calIni += QStringLiteral("9999/03/5sun,") + huge + QStringLiteral(",0,\r\n");
    for (int i = 0; i < 3000; ++i)
        calIni += QStringLiteral("9999/%1/5mon,会%2,0,\r\n").arg(i % 12 + 1).arg(i);
    WriteFile(legacyPath(), ToAnsi(calIni));

    OpenScheduleResult result = Open();
    ASSERT_EQ(result.outcome, OpenOutcome::ImportedLegacy);
    EXPECT_EQ(result.importedCount, 1);
    ASSERT_EQ(notices.size(), 1u);
    const QString& text = notices[0].text;
    EXPECT_TRUE(text.contains(QStringLiteral("3001 件"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("(会0)"))) << text.toStdString();
    EXPECT_LT(text.size(), 2000);
    EXPECT_EQ(notices[0].icon, MessageIcon::Exclamation);
}

} // namespace
} // namespace morvane
