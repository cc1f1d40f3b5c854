#include "platform/ui/qt_messages.h"

#include <QApplication>
#include <QMessageBox>

namespace korvanta::platform::ui {

void QtMessages::show(const QString& text, const QString& caption) {
    QMessageBox::information(m_parent, caption, text, QMessageBox::Ok);
}

void QtMessages::showCritical(const QString& text, const QString& caption) {
    QMessageBox::critical(m_parent, caption, text, QMessageBox::Ok);
}

bool QtMessages::askYesNo(const QString& text, const QString& caption) {
    return QMessageBox::information(m_parent, caption, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void QtMessages::showError(const QString& text) {
    QMessageBox::critical(m_parent, QApplication::applicationName(), text, QMessageBox::Ok);
}

} // namespace korvanta::platform::ui
