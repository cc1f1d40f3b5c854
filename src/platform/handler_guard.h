#pragma once
// Runs an event handler or timer slot so that a conversion error (or any other error) ends only
// that handler and is shown by the standard error message.

#include "platform/messages.h"

#include <exception>
#include <functional>

namespace korvanta::platform {

// True when the handler ran to its end.
bool runGuarded(Messages& messages, const std::function<void()>& handler);

// Shows an error that ended a handler: a conversion error by its message, any other by its text.
void showHandlerError(Messages& messages, const std::exception& error);

} // namespace korvanta::platform
