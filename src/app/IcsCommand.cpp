#include "app/IcsCommand.h"

#include "core/Clock.h"
#include "core/FileErrorReason.h"
#include "data/records/ScheduleDatabase.h"
#include "interchange/IcsExport.h"
#include "interchange/IcsSummary.h"
#include "viewer/CsvExport.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextStream>
#include <cerrno>
#include <cstring>

namespace morvane {

namespace {

int Export(ScheduleDatabase& database, const QString& path, const Clock& clock, QTextStream& out,
           QTextStream& err)
{
    const std::vector<ExportRecord> records = ReadExportRecords(database.schedules());
    int skipped = 0;
    QString error;
    const auto produce = [&](const IcsSink& write) {
        return WriteIcs(records, IcsExportOptions::At(clock.now()), write, &skipped);
    };
    if (!WriteExportFile(path, produce, &error)) {
        err << error << Qt::endl;
        return 1;
    }
    out << QStringLiteral("%1件の予定を書き出しました：%2")
               .arg(records.size() - std::size_t(skipped))
               .arg(path)
        << Qt::endl;
    if (skipped > 0)
        out << QStringLiteral("日付の規則が壊れている予定：%1件（書き出していません）").arg(skipped)
            << Qt::endl;
    return 0;
}

int Import(ScheduleDatabase& database, const QString& path,
           const std::optional<IcsExpandWindow>& window, QTextStream& out, QTextStream& err)
{
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        err << QStringLiteral("%1 を開けません：%2")
                   .arg(path, FileErrorReason(errno, file.error(), file.errorString()))
            << Qt::endl;
        return 1;
    }
    const IcsImportPlan plan = ReadIcs(file.readAll(), window);
    if (!plan.ok()) {
        err << plan.error << Qt::endl;
        return 1;
    }
    const IcsApplyResult result =
        ApplyIcsEntries(database.database(), database.schedules(), plan.entries);
    if (!result.ok()) {
        err << result.error << Qt::endl;
        return 1;
    }
    out << IcsImportSummary(plan, result).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        << Qt::endl;
    return 0;
}

} // namespace

bool IsIcsCommand(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--export-ics") == 0 || std::strcmp(argv[i], "--import-ics") == 0)
            return true;
    }
    return false;
}

int RunIcsCommand(const QStringList& arguments, const QString& programFolder, const Clock& clock,
                  QTextStream& out, QTextStream& err)
{
    QString exportPath, importPath;
    std::optional<IcsExpandWindow> window;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--export-ics") && hasValue) {
            exportPath = arguments[++i];
        } else if (argument == QLatin1String("--import-ics") && hasValue) {
            importPath = arguments[++i];
        } else if (argument == QLatin1String("--ics-expand") && hasValue) {
            const QRegularExpressionMatch years =
                QRegularExpression(QStringLiteral("^(\\d{4})-(\\d{4})$")).match(arguments[++i]);
            if (!years.hasMatch()) {
                err << QStringLiteral("--ics-expand には 2026-2027 のように年の範囲を指定します。")
                    << Qt::endl;
                return 2;
            }
            window = IcsExpandWindow{years.captured(1).toInt(), years.captured(2).toInt()};
            if (const QString fault = IcsExpandWindowFault(*window); !fault.isEmpty()) {
                err << fault << Qt::endl;
                return 2;
            }
        } else {
            err << QStringLiteral("使い方: morvane --export-ics FILE | --import-ics FILE "
                                  "[--ics-expand FROM-TO]")
                << Qt::endl;
            return 2;
        }
    }
    if (exportPath.isEmpty() == importPath.isEmpty()) {
        err << QStringLiteral("--export-ics か --import-ics のどちらか一つを指定します。")
            << Qt::endl;
        return 2;
    }
    OpenScheduleResult opened = OpenScheduleDatabase(programFolder);
    if (!opened.ok()) {
        err << opened.failure.text << Qt::endl;
        return 1;
    }
    return exportPath.isEmpty() ? Import(*opened.database, importPath, window, out, err)
                                : Export(*opened.database, exportPath, clock, out, err);
}

} // namespace morvane
