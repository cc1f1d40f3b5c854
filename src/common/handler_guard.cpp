#include "common/handler_guard.h"

#include "common/conversion_error.h"

#include <exception>

namespace korvanta::common {

bool runGuarded(platform::Messages& messages, const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const ConversionError& error) {
        messages.showError(error.message());
    } catch (const std::exception& error) {
        messages.showError(QString::fromLocal8Bit(error.what()));
    }
    return false;
}

} // namespace korvanta::common
