#include "ui_toolkit/ColorDialog.h"

#include "ui_toolkit/MousePointer.h"

#include <QColorDialog>
#include <deque>

namespace morvane {

namespace {

struct Script
{
    std::deque<std::optional<QColor>> results;
    std::vector<ColorDialog::Request> requests;
};

Script& script()
{
    static Script instance;
    return instance;
}

} // namespace

std::optional<QColor> ColorDialog::getColor(QWidget* parent, const QColor& initial,
                                            const QString& title)
{
    Script& queued = script();
    if (!queued.results.empty()) {
        queued.requests.push_back(Request{initial, title});
        const std::optional<QColor> result = queued.results.front();
        queued.results.pop_front();
        return result;
    }
    const ArrowWhileAsking arrow;
    const QColor chosen = QColorDialog::getColor(initial, parent, title);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

void ColorDialog::setNextColor(const QColor& color)
{
    if (color.isValid())
        script().results.emplace_back(color);
    else
        script().results.emplace_back(std::nullopt);
}

void ColorDialog::setNextCancel()
{
    script().results.emplace_back(std::nullopt);
}

const std::vector<ColorDialog::Request>& ColorDialog::requests()
{
    return script().requests;
}

void ColorDialog::resetScript()
{
    script() = Script{};
}

} // namespace morvane
