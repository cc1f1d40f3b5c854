#include "monitor/value_format.h"

#include "common/number_format.h"

#include <array>

namespace korvanta::monitor {

std::optional<QString> formatChannelValue(int decimals, double value) {
    static const std::array<QString, 4> patterns = {QStringLiteral("##0"), QStringLiteral("##0.0"),
                                                    QStringLiteral("##0.00"),
                                                    QStringLiteral("##0.000")};
    if (decimals < 0 || decimals >= static_cast<int>(patterns.size())) {
        return std::nullopt;
    }
    return common::formatFloat(patterns[static_cast<std::size_t>(decimals)], value);
}

bool Formatuj(QString& text, int decimals, double value) {
    const std::optional<QString> formatted = formatChannelValue(decimals, value);
    if (formatted) {
        text += *formatted;
    }
    return formatted.has_value();
}

} // namespace korvanta::monitor
