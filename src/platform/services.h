#pragma once
// The services the program reaches the system through; tests pass doubles.

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/download.h"
#include "platform/launcher.h"
#include "platform/messages.h"

#include <functional>

namespace korvanta::platform {

struct Services {
    Messages* messages = nullptr;
    Dialogs* dialogs = nullptr;
    Launcher* launcher = nullptr;
    const Clock* clock = nullptr;
    // Ends the application after a closing path has run.
    std::function<void()> endApplication;
    // Last, so that the brace-initialised lists of the fields above stay valid.
    Download* download = nullptr;
};

} // namespace korvanta::platform
