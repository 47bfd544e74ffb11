#pragma once

#include <QWidget>

class QToolButton;

namespace morvane {

// A pair of small arrow buttons that step a number within a range, set
// beside a text box whose text it keeps in step with (the text box itself
// may hold values the buttons cannot reach).
class UpDown : public QWidget
{
    Q_OBJECT

public:
    explicit UpDown(QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }

    int value() const { return m_value; }
    // Clamped to the range; valueChanged when it changes.
    void setValue(int value);
    // One step up or down; nothing at the end of the range.
    void stepUp();
    void stepDown();

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

signals:
    void valueChanged(int value);

private:
    QToolButton* m_up;
    QToolButton* m_down;
    int m_minimum = 0;
    int m_maximum = 100;
    int m_value = 0;
};

} // namespace morvane
