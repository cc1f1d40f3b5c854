#include "common/conversion_error.h"

namespace korvanta::common {

ConversionError::ConversionError(const QString& message)
    : std::runtime_error(message.toStdString()), m_message(message) {}

} // namespace korvanta::common
