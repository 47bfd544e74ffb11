#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class QWidget;

namespace morvane {

struct FileDialogOptions
{
    QString title;
    // Descriptions and patterns separated by vertical bars:
    // "CSVファイル(csv)|*.csv|その他(*.*)|*.*"
    QString filter;
    // Added to a saved file name that has no extension ("csv").
    QString defaultExtension;
    // Proposed file name; may carry a folder.
    QString fileName;
    QString directory;
};

// File pickers. A cancelled dialog gives no value. Tests queue the results of
// the next dialogs, which then show nothing, and read back what was asked.
class FileDialog
{
public:
    enum class Kind
    {
        Open,
        Save,
    };

    struct Request
    {
        Kind kind = Kind::Open;
        FileDialogOptions options;
    };

    static std::optional<QString> getOpenFileName(QWidget* parent,
                                                  const FileDialogOptions& options);
    static std::optional<QString> getSaveFileName(QWidget* parent,
                                                  const FileDialogOptions& options);

    // The next dialog returns path (the default extension applied as the
    // dialog would); an empty path answers as a cancel.
    static void setNextFileName(const QString& path);
    static void setNextCancel();
    // Every dialog asked for while results were queued, oldest first.
    static const std::vector<Request>& requests();
    // Drops queued results and recorded requests.
    static void resetScript();

    // "Text|*.a;*.b|All|*.*" as Qt name filters: "Text (*.a *.b)", "All (*.*)".
    static QStringList nameFilters(const QString& filter);
    // path with ".ext" added when its file name has no extension.
    static QString withDefaultExtension(const QString& path, const QString& extension);

private:
    static std::optional<QString> run(Kind kind, QWidget* parent, const FileDialogOptions& options);
};

} // namespace morvane
