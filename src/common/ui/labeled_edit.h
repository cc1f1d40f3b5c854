#pragma once
// An edit with its own caption label above it (the labelled edit of the window's forms).

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

namespace korvanta::common::ui {

class LabeledEdit : public QWidget {
    Q_OBJECT
public:
    // The widget takes `name` as objectName; its edit and label are "<name>Edit" and
    // "<name>Label".
    LabeledEdit(const QString& name, const QString& caption, QWidget* parent = nullptr);

    QLineEdit* edit() const { return m_edit; }
    QLabel* label() const { return m_label; }
    QString text() const { return m_edit->text(); }
    void setText(const QString& text) { m_edit->setText(text); }
    QString caption() const { return m_label->text(); }
    void setCaption(const QString& caption) { m_label->setText(caption); }

private:
    QLabel* m_label;
    QLineEdit* m_edit;
};

} // namespace korvanta::common::ui
