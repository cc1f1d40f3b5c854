#include "common/ui/up_down.h"

#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace korvanta::common::ui {

UpDown::UpDown(const QString& name, QLineEdit* buddy, int minimum, int maximum, QWidget* parent,
               int increment)
    : QWidget(parent), m_buddy(buddy), m_up(new QToolButton(this)), m_down(new QToolButton(this)),
      m_minimum(minimum), m_maximum(maximum), m_increment(increment), m_position(minimum) {
    setObjectName(name);
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    m_up->setObjectName(name + QStringLiteral("Up"));
    m_down->setObjectName(name + QStringLiteral("Down"));
    for (QToolButton* b : {m_up, m_down}) {
        b->setAutoRepeat(true);
        b->setFixedSize(16, 11);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    connect(m_up, &QToolButton::clicked, this, &UpDown::stepUp);
    connect(m_down, &QToolButton::clicked, this, &UpDown::stepDown);
    setPosition(minimum);
}

void UpDown::setPosition(int position) {
    m_position = std::clamp(position, m_minimum, m_maximum);
    if (m_buddy != nullptr) {
        m_buddy->setText(QString::number(m_position));
    }
}

void UpDown::setRange(int minimum, int maximum) {
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    setPosition(m_position);
}

void UpDown::stepUp() {
    step(m_increment);
}
void UpDown::stepDown() {
    step(-m_increment);
}

void UpDown::step(int delta) {
    // The buddy's text may have been typed; step from what it shows when it is a number.
    bool ok = false;
    const int shown = m_buddy != nullptr ? m_buddy->text().toInt(&ok) : 0;
    setPosition((ok ? shown : m_position) + delta);
    emit clicked(m_position);
}

} // namespace korvanta::common::ui
