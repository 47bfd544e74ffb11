#include "viewer/LogList.h"

#include "core/ActivityLog.h"
#include "core/AnsiText.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace morvane {
namespace {

QString WriteLog(const QTemporaryDir& dir, const QByteArray& bytes)
{
    const QString path = LogFilePath(dir.path());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

QByteArray Lines(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        const QString stamp = QStringLiteral("2026/01/01 %1:%2.00")
                                  .arg(i / 60 % 24, 2, 10, QLatin1Char('0'))
                                  .arg(i % 60, 2, 10, QLatin1Char('0'));
        bytes += LogLineBytes(stamp, i % 2 ? kLogEndEvent : kLogStartEvent);
    }
    return bytes;
}

TEST(LogList, AStartAndAnExitGiveTwoRowsInFileOrder)
{
    QTemporaryDir dir;
    const QString path = WriteLog(dir, LogLineBytes(u"2026/12/10 09:05.07", kLogStartEvent) +
                                           LogLineBytes(u"2026/12/10 18:30.00", kLogEndEvent));
    const LogReadResult read = ReadLogFile(path);
    ASSERT_TRUE(read.read);
    ASSERT_EQ(read.entries.size(), 2u);
    EXPECT_EQ(read.entries[0],
              (LogEntry{QStringLiteral("2026/12/10 09:05.07"), QStringLiteral("起動")}));
    EXPECT_EQ(read.entries[1].event, QStringLiteral("終了"));
    const ListModel model = BuildLogList(read.entries);
    EXPECT_EQ(model.columns[0].header, QStringLiteral("日時"));
    EXPECT_EQ(model.columns[0].width, 2000);
    EXPECT_EQ(model.columns[1].header, QStringLiteral("イベント"));
    EXPECT_EQ(model.rows[1].text(1), QStringLiteral("終了"));
    EXPECT_TRUE(model.rows[1].key.isEmpty());
}

TEST(LogList, WarningOnlyAbove1000Rows)
{
    QTemporaryDir dir;
    for (int count : {1000, 1001}) {
        const LogReadResult read = ReadLogFile(WriteLog(dir, Lines(count)));
        ASSERT_EQ(int(read.entries.size()), count); // never cut
        EXPECT_EQ(int(read.entries.size()) > LogRowLimit, count == 1001);
    }
    const QString text = LogTooManyRowsText(1001, QStringLiteral("/opt/morvane/Morva.log"));
    EXPECT_EQ(
        text,
        QStringLiteral(
            "ログ出力の件数が多すぎます。(1001件)\r\n/opt/morvane/Morva.log\r\n\r\n"
            "ログ一覧の項目を削除し1000件以下に減らすか、ログファイルを直接削除してください。"));
}

struct LineCase
{
    const char* name;
    QByteArray bytes;
    std::vector<LogEntry> entries;
};

void PrintTo(const LineCase& c, std::ostream* out)
{
    *out << c.name;
}

class MalformedLines : public ::testing::TestWithParam<LineCase>
{
};

TEST_P(MalformedLines, GiveWhatTheyHoldAndNeverStopTheRest)
{
    EXPECT_EQ(ParseLogText(FromAnsi(GetParam().bytes)), GetParam().entries);
}

const QString kWhen = QStringLiteral("2026/12/10 09:05.07");
const QString kStart = QStringLiteral("起動");

INSTANTIATE_TEST_SUITE_P(
    Lines, MalformedLines,
    ::testing::Values(
        LineCase{"OneField", "\"2026/12/10 09:05.07\"\r\n", {{kWhen, {}}}},
        LineCase{"BareFields", " 2026/12/10 09:05.07 , x \r\n", {{kWhen, QStringLiteral("x")}}},
        LineCase{"ThirdFieldIgnored",
                 "\"a\",\"b\",\"c\"\r\n",
                 {{QStringLiteral("a"), QStringLiteral("b")}}},
        LineCase{"UnclosedQuote",
                 "\"2026/12/10\r\n\"a\",\"b\"\r\n",
                 {{QStringLiteral("2026/12/10"), {}}, {QStringLiteral("a"), QStringLiteral("b")}}},
        LineCase{"BlankLinesSkipped",
                 "\r\n\r\n\"a\",\"b\"\r\n\r\n",
                 {{QStringLiteral("a"), QStringLiteral("b")}}},
        LineCase{"LoneLineFeedsAndNoLastLineEnd",
                 "\"a\",\"b\"\n\"c\",\"d\"",
                 {{QStringLiteral("a"), QStringLiteral("b")},
                  {QStringLiteral("c"), QStringLiteral("d")}}}));

TEST(LogList, BytesThatAreNotTextDoNotEndTheReading)
{
    QTemporaryDir dir;
    const LogReadResult read =
        ReadLogFile(WriteLog(dir, QByteArray("\x81\x00\xff,\"b\"\r\n\"a\",\"b\"\r\n", 18)));
    ASSERT_TRUE(read.read);
    ASSERT_EQ(read.entries.size(), 2u);
    EXPECT_EQ(read.entries[0].event, QStringLiteral("b"));
    EXPECT_EQ(read.entries[1], (LogEntry{QStringLiteral("a"), QStringLiteral("b")}));
}

TEST(LogList, AMissingFileGivesNothing)
{
    QTemporaryDir dir;
    const LogReadResult read = ReadLogFile(LogFilePath(dir.path()));
    EXPECT_FALSE(read.read);
    EXPECT_TRUE(read.entries.empty());
    // A folder where the file should be cannot be read either.
    QDir(dir.path()).mkdir(QStringLiteral("Morva.log"));
    EXPECT_TRUE(ReadLogFile(LogFilePath(dir.path())).entries.empty());
}

} // namespace
} // namespace morvane
