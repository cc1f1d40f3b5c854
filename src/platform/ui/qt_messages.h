#pragma once
// Message boxes shown with QMessageBox.

#include "platform/messages.h"

class QWidget;

namespace korvanta::platform::ui {

class QtMessages : public Messages {
public:
    explicit QtMessages(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    void show(const QString& text, const QString& caption) override;
    void showCritical(const QString& text, const QString& caption) override;
    bool askYesNo(const QString& text, const QString& caption) override;
    void showError(const QString& text) override;

private:
    QWidget* m_parent;
};

} // namespace korvanta::platform::ui
