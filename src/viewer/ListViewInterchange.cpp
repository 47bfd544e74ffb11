// The viewer's iCalendar commands: every schedule out to a file, a file's
// events in as schedules.

#include "context/AppContext.h"
#include "core/FileErrorReason.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleDatabase.h"
#include "interchange/IcsApply.h"
#include "interchange/IcsExport.h"
#include "interchange/IcsSummary.h"
#include "ui_toolkit/FileDialog.h"
#include "ui_toolkit/MousePointer.h"
#include "ui_toolkit/MsgBox.h"
#include "viewer/CsvExport.h"
#include "viewer/ListViewFrm.h"

#include <QEventLoop>
#include <QFile>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <memory>
#include <cerrno>

namespace morvane {

namespace {

// Reads the file in a thread of its own while the calendar (its alarms
// included) keeps running; a large file shows its progress with 中止.
// Nothing when the user stopped it.
std::optional<IcsImportPlan> ReadInBackground(const QByteArray& bytes,
                                              const std::optional<IcsExpandWindow>& window,
                                              QWidget* parent)
{
    std::atomic<int> done{0}, total{0};
    std::atomic<bool> stop{false};
    IcsImportPlan plan;
    const std::unique_ptr<QThread> worker(QThread::create([&] {
        plan = ReadIcs(bytes, window, [&](int read, int events) {
            done = read;
            total = events;
            return !stop;
        });
    }));
    QProgressDialog progress(QStringLiteral("iCalendarファイルを読み込んでいます..."),
                             QStringLiteral("中止"), 0, 0, parent);
    progress.setWindowTitle(ics_text::ImportTitle);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoReset(false);
    QObject::connect(&progress, &QProgressDialog::canceled, [&stop] { stop = true; });
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        progress.setMaximum(total);
        progress.setValue(done);
    });
    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    tick.start(100);
    if (!worker->isFinished())
        loop.exec();
    worker->wait();
    if (plan.stopped)
        return std::nullopt;
    return plan;
}

} // namespace

void ListViewFrm::MNU_F_I_Click()
{
    ScheduleDatabase* database = m_context.database();
    if (!database || database->schedules().RecordCount() == 0) {
        MsgBox(csv_text::EmptyMessage, MsgBoxStyle::Information, ics_text::ExportTitle, this);
        return;
    }
    FileDialogOptions options;
    options.title = ics_text::ExportTitle;
    options.fileName = ics_text::FileName;
    options.filter = ics_text::Filter;
    options.defaultExtension = ics_text::DefaultExtension;
    const std::optional<QString> path = FileDialog::getSaveFileName(this, options);
    if (!path)
        return;
    BusyPointer busy;
    const std::vector<ExportRecord> records = ReadExportRecords(database->schedules());
    const IcsExportOptions exportOptions = IcsExportOptions::At(m_context.clock().now());
    QString error;
    if (!WriteExportFile(
            *path, [&](const IcsSink& write) { return WriteIcs(records, exportOptions, write); },
            &error)) {
        busy.release();
        MsgBox(error, MsgBoxStyle::Exclamation, ics_text::ExportTitle, this);
    }
}

void ListViewFrm::MNU_F_M_Click()
{
    ScheduleDatabase* database = m_context.database();
    if (!database)
        return;
    FileDialogOptions options;
    options.title = ics_text::ImportTitle;
    options.filter = ics_text::Filter;
    options.defaultExtension = ics_text::DefaultExtension;
    const std::optional<QString> path = FileDialog::getOpenFileName(this, options);
    if (!path)
        return;
    QFile file(*path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        MsgBox(QStringLiteral("%1 を開けません。\r\n\r\n%2")
                   .arg(*path, FileErrorReason(errno, file.error(), file.errorString())),
               MsgBoxStyle::Exclamation, ics_text::ImportTitle, this);
        return;
    }
    const QByteArray bytes = file.readAll();
    std::optional<IcsImportPlan> read = ReadInBackground(bytes, std::nullopt, this);
    if (!read)
        return;
    IcsImportPlan plan = std::move(*read);
    if (!plan.ok()) {
        MsgBox(plan.error, MsgBoxStyle::Exclamation, ics_text::ImportTitle, this);
        return;
    }
    if (plan.needExpanding > 0) {
        const int year = m_context.clock().now().date().year();
        const IcsExpandWindow window{year, year + 1};
        const int answer =
            MsgBox(IcsExpandQuestion(plan, window),
                   MsgBoxStyle::YesNoCancel + MsgBoxStyle::Question, ics_text::ImportTitle, this);
        if (answer == MsgBoxResult::Cancel)
            return;
        if (answer == MsgBoxResult::Yes) {
            read = ReadInBackground(bytes, window, this);
            if (!read)
                return;
            plan = std::move(*read);
        }
    }
    BusyPointer busy;
    const IcsApplyResult result =
        ApplyIcsEntries(database->database(), database->schedules(), plan.entries);
    if (result.added > 0) {
        afterSchedulesChanged();
        RefreshListView();
    }
    busy.release();
    if (!result.ok()) {
        MsgBox(result.error, MsgBoxStyle::Exclamation, ics_text::ImportTitle, this);
        return;
    }
    MsgBox(IcsImportSummary(plan, result), MsgBoxStyle::Information, ics_text::ImportTitle, this);
}

} // namespace morvane
