#include "common/ui/labeled_edit.h"

#include <QVBoxLayout>

namespace korvanta::common::ui {

LabeledEdit::LabeledEdit(const QString& name, const QString& caption, QWidget* parent)
    : QWidget(parent), m_label(new QLabel(caption, this)), m_edit(new QLineEdit(this)) {
    setObjectName(name);
    m_label->setObjectName(name + QStringLiteral("Label"));
    m_edit->setObjectName(name + QStringLiteral("Edit"));
    m_label->setBuddy(m_edit);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_label);
    layout->addWidget(m_edit);
}

} // namespace korvanta::common::ui
