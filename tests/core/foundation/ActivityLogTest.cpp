#include "core/ActivityLog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace morvane {
namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct LineCase
{
    QDateTime moment;
    QStringView event;
    const char* bytes;
};

void PrintTo(const LineCase& c, std::ostream* os)
{
    *os << c.bytes;
}

class LogLineTest : public ::testing::TestWithParam<LineCase>
{
protected:
    QTemporaryDir m_dir;
};

TEST_P(LogLineTest, IsByteExact)
{
    const FixedClock clock(GetParam().moment);
    ASSERT_TRUE(AppendLogLine(m_dir.path(), GetParam().event, clock));
    EXPECT_EQ(ReadAll(LogFilePath(m_dir.path())), QByteArray(GetParam().bytes));
}

// 起動 is 8B 4E 93 AE and 終了 is 8F 49 97 B9 in code page 932.
INSTANTIATE_TEST_SUITE_P(
    Table, LogLineTest,
    ::testing::Values(LineCase{QDateTime(QDate(2024, 5, 1), QTime(9, 5, 7)), kLogStartEvent,
                               "\"2024/05/01 09:05.07\",\"\x8B\x4E\x93\xAE\"\r\n"},
                      LineCase{QDateTime(QDate(2024, 12, 31), QTime(0, 0, 5)), kLogEndEvent,
                               "\"2024/12/31 00:00.05\",\"\x8F\x49\x97\xB9\"\r\n"},
                      LineCase{QDateTime(QDate(999, 1, 2), QTime(23, 59, 59)), kLogEndEvent,
                               "\"0999/01/02 23:59.59\",\"\x8F\x49\x97\xB9\"\r\n"}));

TEST(ActivityLogTest, AppendsAfterWhatTheFileHolds)
{
    QTemporaryDir dir;
    const QByteArray earlier = LogLineBytes(u"2023/01/01 08:00.00", kLogStartEvent);
    {
        QFile file(LogFilePath(dir.path()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(earlier);
    }
    FixedClock clock(QDateTime(QDate(2024, 5, 1), QTime(9, 5, 7)));
    ASSERT_TRUE(AppendLogLine(dir.path(), kLogStartEvent, clock));
    clock.advanceSeconds(3600);
    ASSERT_TRUE(AppendLogLine(dir.path(), kLogEndEvent, clock));

    EXPECT_EQ(ReadAll(LogFilePath(dir.path())),
              earlier + LogLineBytes(u"2024/05/01 09:05.07", kLogStartEvent) +
                  LogLineBytes(u"2024/05/01 10:05.07", kLogEndEvent));
}

TEST(ActivityLogTest, ALogThatCannotBeWrittenIsSkipped)
{
    QTemporaryDir dir;
    const FixedClock clock(QDateTime(QDate(2024, 5, 1), QTime(9, 5, 7)));
    // A folder where the log file should be, and a folder that does not exist.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Morva.log")));
    EXPECT_FALSE(AppendLogLine(dir.path(), kLogStartEvent, clock));
    EXPECT_FALSE(AppendLogLine(dir.filePath(QStringLiteral("missing")), kLogEndEvent, clock));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("missing"))));
}

} // namespace
} // namespace morvane
