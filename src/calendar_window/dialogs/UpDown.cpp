#include "calendar_window/dialogs/UpDown.h"

#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace morvane {

UpDown::UpDown(QWidget* parent)
    : QWidget(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this))
{
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {m_up, m_down}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(18, 12);
    }
    connect(m_up, &QToolButton::clicked, this, &UpDown::stepUp);
    connect(m_down, &QToolButton::clicked, this, &UpDown::stepDown);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
}

void UpDown::setRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    setValue(m_value);
}

void UpDown::setValue(int value)
{
    const int clamped = std::clamp(value, m_minimum, m_maximum);
    if (clamped == m_value) {
        return;
    }
    m_value = clamped;
    emit valueChanged(m_value);
}

void UpDown::stepUp()
{
    if (m_value < m_maximum) {
        setValue(m_value + 1);
    }
}

void UpDown::stepDown()
{
    if (m_value > m_minimum) {
        setValue(m_value - 1);
    }
}

} // namespace morvane
