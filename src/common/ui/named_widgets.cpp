#include "common/ui/named_widgets.h"

#include <QSignalBlocker>

namespace korvanta::common::ui {

QLabel* makeLabel(const QString& name, const QString& caption, QWidget* parent) {
    return named(new QLabel(caption, parent), name);
}

QCheckBox* makeCheckBox(const QString& name, const QString& caption, QWidget* parent) {
    return named(new QCheckBox(caption, parent), name);
}

QPushButton* makeButton(const QString& name, const QString& caption, QWidget* parent,
                        const QString& hint) {
    auto* button = named(new QPushButton(caption, parent), name);
    button->setToolTip(hint);
    return button;
}

QLineEdit* makeEdit(const QString& name, const QString& text, QWidget* parent) {
    return named(new QLineEdit(text, parent), name);
}

void setTextSilently(QLineEdit* edit, const QString& text) {
    const QSignalBlocker blocker(edit);
    edit->setText(text);
}

void setCheckedSilently(QAbstractButton* button, bool checked) {
    const QSignalBlocker blocker(button);
    button->setChecked(checked);
}

} // namespace korvanta::common::ui
