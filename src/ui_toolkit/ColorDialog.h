#pragma once

#include <QColor>
#include <QString>
#include <optional>
#include <vector>

class QWidget;

namespace morvane {

// The colour picker. A cancelled dialog gives no value. Tests queue the
// results of the next dialogs, which then show nothing, and read back what
// was asked.
class ColorDialog
{
public:
    struct Request
    {
        QColor initial;
        QString title;
    };

    static std::optional<QColor> getColor(QWidget* parent, const QColor& initial,
                                          const QString& title = {});

    // The next dialog returns color; an invalid colour answers as a cancel.
    static void setNextColor(const QColor& color);
    static void setNextCancel();
    static const std::vector<Request>& requests();
    static void resetScript();
};

} // namespace morvane
