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

#include <QFile>
#include <cerrno>

namespace morvane {

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
    const QByteArray bytes = BuildIcs(ReadExportRecords(database->schedules()),
                                      IcsExportOptions::At(m_context.clock().now()));
    QString error;
    if (!WriteExportFile(*path, bytes, &error)) {
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
    IcsImportPlan plan = ReadIcs(bytes, std::nullopt);
    if (!plan.ok()) {
        MsgBox(plan.error, MsgBoxStyle::Exclamation, ics_text::ImportTitle, this);
        return;
    }
    if (plan.needExpanding > 0) {
        const int year = m_context.clock().now().date().year();
        const IcsExpandWindow window{year, year + 1};
        const int answer =
            MsgBox(IcsExpandQuestion(plan.needExpanding, window),
                   MsgBoxStyle::YesNoCancel + MsgBoxStyle::Question, ics_text::ImportTitle, this);
        if (answer == MsgBoxResult::Cancel)
            return;
        if (answer == MsgBoxResult::Yes)
            plan = ReadIcs(bytes, window);
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
