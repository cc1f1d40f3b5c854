#pragma once
// Runs an event handler or timer slot so that a conversion error (or any other error) ends only
// that handler and is shown by the standard error message.

#include "platform/messages.h"

#include <functional>

namespace korvanta::common {

// True when the handler ran to its end.
bool runGuarded(platform::Messages& messages, const std::function<void()>& handler);

} // namespace korvanta::common
