#include "ui_toolkit/ShellOpen.h"

#include "ui_toolkit/MsgBox.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace morvane {

namespace {

QUrl TargetUrl(const QString& target)
{
    const QString trimmed = target.trimmed();
    if (trimmed.isEmpty())
        return {};
    // An existing path is a file even when it looks like an address.
    if (QFileInfo::exists(trimmed))
        return QUrl::fromLocalFile(QFileInfo(trimmed).absoluteFilePath());
    const QUrl url = QUrl::fromUserInput(trimmed);
    // The desktop accepts any file address and fails later, out of sight;
    // a file that is not there is our failure to report.
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
        return {};
    return url;
}

} // namespace

bool ShellOpen(const QString& target)
{
    const QUrl url = TargetUrl(target);
    if (url.isValid() && QDesktopServices::openUrl(url))
        return true;
    MsgBox(QStringLiteral(u"ｴﾗｰが発生しました。"), MsgBoxStyle::Critical, QStringLiteral(u"ｴﾗｰ"));
    return false;
}

} // namespace morvane
