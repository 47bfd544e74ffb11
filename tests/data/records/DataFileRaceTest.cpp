#include "RecordsTestSupport.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleDatabase.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace morvane {
namespace {

// Starts made at the same moment in a folder without a data file (or with
// the empty file an older start left) end with one complete file: each start
// either stored its schedule or was told the file is in use, and every
// stored schedule is in the file.
TEST(DataFileRace, StartsAtTheSameTimeLeaveOneWorkingFile)
{
    constexpr int kRounds = 24;
    constexpr int kStarts = 5;
    for (int round = 0; round < kRounds; ++round) {
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        if (round % 4 == 3)
            test::WriteFile(DataFilePath(folder.path()), QByteArray());
        std::vector<std::unique_ptr<QProcess>> starts;
        for (int i = 0; i < kStarts; ++i) {
            starts.push_back(std::make_unique<QProcess>());
            starts.back()->setProcessChannelMode(QProcess::MergedChannels);
            starts.back()->start(QStringLiteral(MORVANE_OPEN_RACER), {folder.path()});
        }
        int stored = 0;
        for (const auto& start : starts) {
            ASSERT_TRUE(start->waitForFinished(60000));
            const int code = start->exitCode();
            EXPECT_TRUE(code == 0 || code == 3)
                << "round " << round << ": " << code << " "
                << QString::fromUtf8(start->readAll()).toStdString();
            stored += code == 0 ? 1 : 0;
        }
        EXPECT_GE(stored, 1) << "round " << round;
        EXPECT_GT(QFileInfo(DataFilePath(folder.path())).size(), 0) << "round " << round;
        OpenScheduleResult after = OpenScheduleDatabase(folder.path());
        ASSERT_TRUE(after.ok()) << "round " << round << ": " << after.failure.text.toStdString();
        EXPECT_EQ(after.database->schedules().RecordCount(), stored) << "round " << round;
        if (::testing::Test::HasFailure())
            return;
    }
}

} // namespace
} // namespace morvane
