#include "viewer/CsvExport.h"

#include "core/AnsiText.h"
#include "viewer/ViewerFixture.h"
#include "viewer/platform/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace morvane {
namespace {

using test::Dated;
using test::Equinox;
using test::Rec;
using test::ViewerFixture;
using test::Weekday;

QByteArray Bytes(const char16_t* text)
{
    return ToAnsi(QString::fromUtf16(text));
}

TEST(CsvExport, OneDatedRecordGivesOneLineByteForByte)
{
    ViewerFixture fixture;
    fixture.add(Dated(0, 2016, 3, 21, QStringLiteral("休み")));
    EXPECT_EQ(BuildCsvBytes(fixture.schedules()),
              QByteArray("\"2016\x94N3\x8c\x8e"
                         "21\x93\xfa\" ,\"\x8bx\x82\xdd\"\r\n"));
}

TEST(CsvExport, TheFourLineFormsAndTheirSeparators)
{
    ViewerFixture fixture;
    fixture.add(
        {Weekday(0, 0, 0, 0, 2, QStringLiteral("ゴミの日")),
         Weekday(0, 0, 0, 3, 4, QStringLiteral("第3水曜")), Equinox(3, QStringLiteral("春分の日")),
         Dated(1, 0, 5, 5, QStringLiteral("こどもの日"), 12), Dated(0, 2026, 12, 1, QString())});
    const QByteArray expected = Bytes(u"\"毎年毎月毎週月曜日\" , \"ゴミの日\"\r\n"
                                      u"\"毎年毎月第3週水曜日\" , \"第3水曜\"\r\n"
                                      u"\"毎年3月(日計算)\" , \"春分の日\"\r\n"
                                      u"\"毎年5月5日\" ,\"こどもの日\"\r\n"
                                      u"\"2026年12月1日\" ,\"\"\r\n");
    EXPECT_EQ(BuildCsvBytes(fixture.schedules()), expected);
}

TEST(CsvExport, ARuleNamesItsFirstAndLastDay)
{
    ViewerFixture fixture;
    fixture.add(Weekday(0, 0, 0, 0, 4, QStringLiteral("会議")));
    fixture.boundLast(QDate(2026, 6, 3), QDate(), {QDate(2026, 6, 10)});
    fixture.add(Weekday(0, 0, 0, 0, 4, QStringLiteral("朝会")));
    fixture.boundLast(QDate(2026, 6, 3), QDate(2026, 12, 31));
    EXPECT_EQ(
        BuildCsvBytes(fixture.schedules()),
        Bytes(u"\"毎年毎月毎週水曜日（2026年6月3日から）\" , \"会議\"\r\n"
              u"\"毎年毎月毎週水曜日（2026年6月3日から2026年12月31日まで）\" , \"朝会\"\r\n"));
}

// RFC 4180: a quote inside a quoted field is doubled, so a quote followed
// by a comma does not end the field; line breaks stay inside it.
TEST(CsvExport, QuotesAreDoubledAndLineBreaksStayInTheField)
{
    ViewerFixture fixture;
    fixture.add({Dated(0, 2026, 1, 2, QStringLiteral("19\"テレビ")),
                 Dated(0, 2026, 1, 3, QStringLiteral("一行目\r\n二行目")),
                 Dated(0, 2026, 1, 4, QStringLiteral("\"a\",b"))});
    const QByteArray bytes = BuildCsvBytes(fixture.schedules());
    EXPECT_EQ(bytes, Bytes(u"\"2026年1月2日\" ,\"19\"\"テレビ\"\r\n"
                           u"\"2026年1月3日\" ,\"一行目\r\n二行目\"\r\n"
                           u"\"2026年1月4日\" ,\"\"\"a\"\",b\"\r\n"));
}

// Characters code page 932 cannot hold are counted and named, and the same
// rows can be had as UTF-8 after a byte-order mark.
TEST(CsvExport, CharactersCodePage932CannotHoldAreCountedAndKeptInUtf8)
{
    const struct
    {
        const char16_t* text;
        int count;
        const char16_t* examples;
    } cases[] = {
        {u"ｶﾞｽ代 ～ 髙橋 ①", 0, u""},
        {u"誕生日🎂🎂", 2, u"🎂"},
        {u"𠮷野家 ? と 🍣", 2, u"𠮷🍣"},
        {u"〜 Ⅻ é ñ", 4, u"〜Ⅻéñ"}, // the wave dash comes back as another character
    };
    for (const auto& k : cases) {
        const UnheldCharacters unheld = FindUnheldCharacters(QString::fromUtf16(k.text));
        EXPECT_EQ(unheld.count, k.count) << QString::fromUtf16(k.text).toStdString();
        EXPECT_EQ(unheld.examples.join(QString()), QString::fromUtf16(k.examples));
    }

    ViewerFixture fixture;
    fixture.add({Dated(0, 2026, 1, 2, QStringLiteral("🎂 \"𠮷\"")),
                 Dated(0, 2026, 1, 3, QStringLiteral("普通"))});
    const CsvFile csv = BuildCsv(fixture.schedules());
    EXPECT_EQ(csv.unheld.count, 2);
    EXPECT_EQ(csv.ansiBytes(), Bytes(u"\"2026年1月2日\" ,\"? \"\"?\"\"\"\r\n"
                                     u"\"2026年1月3日\" ,\"普通\"\r\n"));
    EXPECT_EQ(csv.utf8Bytes(), QByteArray("\xEF\xBB\xBF") +
                                   QStringLiteral("\"2026年1月2日\" ,\"🎂 \"\"𠮷\"\"\"\r\n"
                                                  "\"2026年1月3日\" ,\"普通\"\r\n")
                                       .toUtf8());
    const QString question = CsvUnheldQuestion(csv.unheld);
    EXPECT_TRUE(question.contains(QStringLiteral("2 文字"))) << question.toStdString();
    EXPECT_TRUE(question.contains(QStringLiteral("「🎂」「𠮷」"))) << question.toStdString();
}

TEST(CsvExport, RecordsWithoutTypeAreRemovedAndNotWritten)
{
    ViewerFixture fixture;
    fixture.add({Rec{{}, 2026, 1, 1, -1, -1, 9, QStringLiteral("種類なし"), {}},
                 Dated(0, 2026, 1, 2, QStringLiteral("残る"))});
    int repaired = 0;
    EXPECT_EQ(BuildCsvBytes(fixture.schedules(), &repaired),
              Bytes(u"\"2026年1月2日\" ,\"残る\"\r\n"));
    EXPECT_EQ(repaired, 1);
    EXPECT_EQ(fixture.schedules().RecordCount(), 1);
}

TEST(CsvExport, WritesTheFileAndReplacesAnOldOne)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("morv.csv"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(5000, 'x'));
    old.close();
    QString error;
    ASSERT_TRUE(WriteExportFile(path, "\"a\" ,\"b\"\r\n", &error)) << error.toStdString();
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("\"a\" ,\"b\"\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("morv.csv")});
}

TEST(CsvExport, AFailedWriteNamesTheFileAndKeepsTheOldOne)
{
    QTemporaryDir dir;
    const QString missingFolder = dir.filePath(QStringLiteral("gone/morv.csv"));
    QString error;
    EXPECT_FALSE(WriteExportFile(missingFolder, "x", &error));
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(missingFolder))) << error.toStdString();

    // The disk fills up in the middle of the file.
    const QString path = dir.filePath(QStringLiteral("morv.csv"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old contents");
    old.close();
    {
        test::FileSizeLimit limit(4096);
        if (!limit.active())
            GTEST_SKIP() << "no file size limit on this platform";
        EXPECT_FALSE(WriteExportFile(path, QByteArray(100000, 'y'), &error));
    }
    EXPECT_TRUE(error.contains(QStringLiteral("morv.csv")));
    QFile kept(path);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("old contents"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("morv.csv")});
}

} // namespace
} // namespace morvane
