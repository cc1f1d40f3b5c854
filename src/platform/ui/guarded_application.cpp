#include "platform/ui/guarded_application.h"

#include "common/conversion_error.h"
#include "platform/messages.h"

#include <exception>

namespace korvanta::platform::ui {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const common::ConversionError& error) {
        if (m_messages != nullptr) {
            m_messages->showError(error.message());
        }
    } catch (const std::exception& error) {
        if (m_messages != nullptr) {
            m_messages->showError(QString::fromLocal8Bit(error.what()));
        }
    }
    return false;
}

} // namespace korvanta::platform::ui
