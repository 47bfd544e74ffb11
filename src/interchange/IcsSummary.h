#pragma once

#include "interchange/IcsApply.h"
#include "interchange/IcsImport.h"

#include <QString>

namespace morvane {

// What an import did, in the words the viewer's message and the command
// line both use.
QString IcsImportSummary(const IcsImportPlan& plan, const IcsApplyResult& result);

// The question before expanding: how many events need it, the first of
// them by title, into which years.
QString IcsExpandQuestion(const IcsImportPlan& plan, const IcsExpandWindow& window);

namespace ics_text {
inline const QString ExportTitle = QStringLiteral("iCalendar形式でエクスポート");
inline const QString ImportTitle = QStringLiteral("iCalendarから取り込み");
inline const QString FileName = QStringLiteral("morvane.ics");
inline const QString Filter = QStringLiteral("iCalendarファイル(ics)|*.ics|その他(*.*)|*.*");
inline const QString DefaultExtension = QStringLiteral("ics");
} // namespace ics_text

} // namespace morvane
