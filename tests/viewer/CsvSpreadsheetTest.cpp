// The exported CSV opened by a real spreadsheet (LibreOffice Calc, headless,
// with a profile and home of its own): one row per schedule, every text
// cell as typed, or as the warning about code page 932 said.

#include "core/AnsiText.h"
#include "viewer/CsvExport.h"
#include "viewer/ViewerFixture.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace morvane {
namespace {

using test::Dated;
using test::ViewerFixture;
using test::Weekday;

// RFC 4180 rows of a UTF-8 file.
std::vector<QStringList> ParseCsv(const QString& text)
{
    std::vector<QStringList> rows;
    QStringList row;
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"')
                cell += c, ++i;
            else if (c == u'"')
                quoted = false;
            else
                cell += c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row << cell;
            cell.clear();
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            row << cell;
            rows.push_back(row);
            row.clear();
            cell.clear();
        } else {
            cell += c;
        }
    }
    if (!cell.isEmpty() || !row.isEmpty())
        rows.push_back(row << cell);
    return rows;
}

// The file as the spreadsheet reads it in `encoding` (its own code: 64 is
// Shift_JIS, 76 UTF-8), written out again as UTF-8 CSV.
QString ThroughSpreadsheet(const QByteArray& bytes, int encoding)
{
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("morv.csv"));
    QFile file(input);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    QDir(dir.path()).mkpath(QStringLiteral("home"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), dir.filePath(QStringLiteral("home")));
    QProcess office;
    office.setProcessEnvironment(environment);
    office.setProcessChannelMode(QProcess::MergedChannels);
    office.start(QStandardPaths::findExecutable(QStringLiteral("soffice")),
                 {QStringLiteral("-env:UserInstallation=") +
                      QUrl::fromLocalFile(dir.filePath(QStringLiteral("profile"))).toString(),
                  QStringLiteral("--headless"), QStringLiteral("--norestore"),
                  QStringLiteral("--infilter=CSV:44,34,%1").arg(encoding),
                  QStringLiteral("--convert-to"),
                  QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"),
                  QStringLiteral("--outdir"), dir.filePath(QStringLiteral("out")), input});
    EXPECT_TRUE(office.waitForFinished(240000));
    const QByteArray said = office.readAll();
    QFile output(dir.filePath(QStringLiteral("out/morv.csv")));
    EXPECT_TRUE(output.open(QIODevice::ReadOnly)) << said.toStdString();
    return QString::fromUtf8(output.readAll());
}

TEST(CsvSpreadsheet, EveryScheduleIsOneRowWithItsTextAsTyped)
{
    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
        FAIL() << "LibreOffice Calc (soffice) is not installed: scripts/install-deps.sh adds it";
    const QStringList texts = {
        QStringLiteral("19\"テレビ"),
        QStringLiteral("\"会議\", 第2会議室"),
        QStringLiteral("a,b,,c"),
        QStringLiteral("一行目\r\n二行目, \"引用\"\r\n三行目"),
        QStringLiteral("ｶﾞｽ代の振込 ﾃﾞﾝｷ"),
        QStringLiteral("誕生日🎂 と 𠮷野家"),
        QStringLiteral("\""),
        QString(),
        QStringLiteral("①髙橋さん ～ 〜"),
    };
    ViewerFixture fixture;
    for (int i = 0; i < int(texts.size()); ++i) {
        if (i % 2)
            fixture.add(Weekday(0, 0, 0, 0, i % 7 + 1, texts[i]));
        else
            fixture.add(Dated(0, 2026, 12, i + 1, texts[i]));
    }
    const CsvFile csv = BuildCsv(fixture.schedules());
    ASSERT_GT(csv.unheld.count, 0);

    const struct
    {
        const char* name;
        QByteArray bytes;
        int encoding;
        bool asWarned; // the characters the warning counted became what code page 932 gave
    } files[] = {
        {"code page 932", csv.ansiBytes(), 64, true},
        {"UTF-8 with a byte-order mark", csv.utf8Bytes(), 76, false},
    };
    for (const auto& f : files) {
        const std::vector<QStringList> rows = ParseCsv(ThroughSpreadsheet(f.bytes, f.encoding));
        ASSERT_EQ(rows.size(), texts.size()) << f.name;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            ASSERT_EQ(rows[i].size(), 2) << f.name << " row " << i;
            // A cell's line break is a line feed in the spreadsheet.
            QString typed = texts[qsizetype(i)];
            typed.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            EXPECT_EQ(rows[i][1], f.asWarned ? FromAnsi(ToAnsi(typed)) : typed)
                << f.name << " row " << i;
            EXPECT_FALSE(rows[i][0].trimmed().isEmpty()) << f.name << " row " << i;
        }
    }
}

} // namespace
} // namespace morvane
