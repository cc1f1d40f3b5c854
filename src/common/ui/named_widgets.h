#pragma once
// Small makers for the window's controls, each created with its control name as objectName, and
// setters that change a control without echoing the change back into the settings record.

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

namespace korvanta::common::ui {

template <typename Widget> Widget* named(Widget* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

QLabel* makeLabel(const QString& name, const QString& caption, QWidget* parent);
QCheckBox* makeCheckBox(const QString& name, const QString& caption, QWidget* parent);
QPushButton* makeButton(const QString& name, const QString& caption, QWidget* parent,
                        const QString& hint = QString());
QLineEdit* makeEdit(const QString& name, const QString& text, QWidget* parent);

void setTextSilently(QLineEdit* edit, const QString& text);
void setCheckedSilently(QAbstractButton* button, bool checked);

} // namespace korvanta::common::ui
