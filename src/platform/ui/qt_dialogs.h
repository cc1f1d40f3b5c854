#pragma once
// File, colour and print dialogs shown with the toolkit's standard dialogs.

#include "platform/dialogs.h"

namespace korvanta::platform::ui {

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QColor> chooseColor(const QColor& initial) override;
    bool choosePrinter(QPrinter& printer, const PrintDialogRequest& request) override;

    // "desc|pat|desc|pat" to the toolkit's "desc (pat);;desc (pat)".
    static QString toolkitFilter(const QString& filter);

private:
    QWidget* m_parent;
};

} // namespace korvanta::platform::ui
