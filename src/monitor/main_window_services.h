#pragma once
// The services the main window reaches the system through; tests pass doubles.

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/launcher.h"
#include "platform/messages.h"

#include <functional>

namespace korvanta::monitor {

struct MainWindowServices {
    platform::Messages* messages = nullptr;
    platform::Dialogs* dialogs = nullptr;
    platform::Launcher* launcher = nullptr;
    const platform::Clock* clock = nullptr;
    // Ends the application after a closing path has run.
    std::function<void()> endApplication;
};

} // namespace korvanta::monitor
