#include "platform/handler_guard.h"

#include "common/conversion_error.h"

namespace korvanta::platform {

bool runGuarded(Messages& messages, const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const std::exception& error) {
        showHandlerError(messages, error);
    }
    return false;
}

void showHandlerError(Messages& messages, const std::exception& error) {
    if (const auto* conversion = dynamic_cast<const common::ConversionError*>(&error)) {
        messages.showError(conversion->message());
        return;
    }
    messages.showError(QString::fromLocal8Bit(error.what()));
}

} // namespace korvanta::platform
