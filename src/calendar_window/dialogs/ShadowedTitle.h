#pragma once

#include <QColor>
#include <QWidget>

namespace morvane {

// A title written in white over a copy of itself moved right and down, the
// copy in the title's own colour: the embossed look of the version window.
class ShadowedTitle : public QWidget
{
    Q_OBJECT

public:
    // offsetTwips: how far the copy lies right and down.
    ShadowedTitle(const QString& text, const QColor& copyColor, int offsetTwips,
                  QWidget* parent = nullptr);

    QString text() const { return m_text; }
    QColor copyColor() const { return m_copyColor; }
    int offsetPixels() const { return m_offset; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
    QColor m_copyColor;
    int m_offset;
};

} // namespace morvane
