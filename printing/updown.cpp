#include "printing/updown.h"

#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace titrage {

UpDown::UpDown(int minimum, int maximum, QWidget* parent)
    : QWidget(parent), m_minimum(minimum), m_maximum(std::max(minimum, maximum)), m_value(minimum)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_up = new QToolButton(this);
    m_up->setArrowType(Qt::UpArrow);
    m_up->setAutoRepeat(true);
    m_down = new QToolButton(this);
    m_down->setArrowType(Qt::DownArrow);
    m_down->setAutoRepeat(true);
    for (QToolButton* b : {m_up, m_down}) {
        b->setFixedSize(kButtonSize);
        b->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(b);
    }
    connect(m_up, &QToolButton::clicked, this, &UpDown::stepUp);
    connect(m_down, &QToolButton::clicked, this, &UpDown::stepDown);
}

void UpDown::setValue(int value)
{
    value = std::clamp(value, m_minimum, m_maximum);
    if (value == m_value) return;
    m_value = value;
    emit valueChanged(m_value);
}

} // namespace titrage
