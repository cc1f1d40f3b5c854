#include "platform/ui/guarded_application.h"

#include "platform/handler_guard.h"
#include "platform/messages.h"

#include <exception>

namespace korvanta::platform::ui {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        if (m_messages != nullptr) {
            showHandlerError(*m_messages, error);
        }
    }
    return false;
}

} // namespace korvanta::platform::ui
