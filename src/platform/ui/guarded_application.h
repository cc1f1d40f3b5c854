#pragma once
// The application object: an error that escapes an event handler is shown by the standard error
// message and the program goes on.

#include <QApplication>

namespace korvanta::platform {
class Messages;
}

namespace korvanta::platform::ui {

class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);
    void setMessages(Messages* messages) { m_messages = messages; }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    Messages* m_messages = nullptr;
};

} // namespace korvanta::platform::ui
