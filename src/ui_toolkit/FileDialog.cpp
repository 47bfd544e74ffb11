#include "ui_toolkit/FileDialog.h"

#include "ui_toolkit/MousePointer.h"

#include <QFileDialog>
#include <QFileInfo>
#include <deque>

namespace morvane {

namespace {

struct Script
{
    std::deque<std::optional<QString>> results;
    std::vector<FileDialog::Request> requests;
};

Script& script()
{
    static Script instance;
    return instance;
}

} // namespace

std::optional<QString> FileDialog::getOpenFileName(QWidget* parent,
                                                   const FileDialogOptions& options)
{
    return run(Kind::Open, parent, options);
}

std::optional<QString> FileDialog::getSaveFileName(QWidget* parent,
                                                   const FileDialogOptions& options)
{
    return run(Kind::Save, parent, options);
}

void FileDialog::setNextFileName(const QString& path)
{
    if (path.isEmpty())
        script().results.emplace_back(std::nullopt);
    else
        script().results.emplace_back(path);
}

void FileDialog::setNextCancel()
{
    script().results.emplace_back(std::nullopt);
}

const std::vector<FileDialog::Request>& FileDialog::requests()
{
    return script().requests;
}

void FileDialog::resetScript()
{
    script() = Script{};
}

QStringList FileDialog::nameFilters(const QString& filter)
{
    QStringList result;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts).join(u' ');
        result << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return result;
}

QString FileDialog::withDefaultExtension(const QString& path, const QString& extension)
{
    if (path.isEmpty() || extension.isEmpty())
        return path;
    if (!QFileInfo(path).suffix().isEmpty())
        return path;
    QString dotless = extension;
    while (dotless.startsWith(u'.'))
        dotless.remove(0, 1);
    return path + u'.' + dotless;
}

std::optional<QString> FileDialog::run(Kind kind, QWidget* parent, const FileDialogOptions& options)
{
    Script& queued = script();
    if (!queued.results.empty()) {
        queued.requests.push_back(Request{kind, options});
        std::optional<QString> result = queued.results.front();
        queued.results.pop_front();
        if (result && kind == Kind::Save)
            result = withDefaultExtension(*result, options.defaultExtension);
        return result;
    }

    QFileDialog dialog(parent, options.title, options.directory);
    dialog.setAcceptMode(kind == Kind::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(kind == Kind::Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = nameFilters(options.filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    if (!options.defaultExtension.isEmpty())
        dialog.setDefaultSuffix(options.defaultExtension);
    if (!options.fileName.isEmpty())
        dialog.selectFile(options.fileName);
    const ArrowWhileAsking arrow;
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return std::nullopt;
    if (kind == Kind::Save)
        return withDefaultExtension(chosen.first(), options.defaultExtension);
    return chosen.first();
}

} // namespace morvane
