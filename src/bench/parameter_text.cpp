#include "bench/parameter_text.h"

#include "common/number_format.h"

namespace korvanta::bench {

std::optional<double> parseCommaDouble(const QString& text) {
    if (text.isEmpty()) {
        return std::nullopt;
    }
    common::setDecimalSeparator(QLatin1Char(','));
    return common::parseDouble(text);
}

std::optional<double> parseCurrentDouble(const QString& text) {
    if (text.isEmpty()) {
        return std::nullopt;
    }
    return common::parseDouble(text);
}

std::optional<int> parseOptionalInt(const QString& text) {
    if (text.isEmpty()) {
        return std::nullopt;
    }
    return common::parseInt(text);
}

QString commaText(double value) {
    return common::generalText(value).replace(QLatin1Char('.'), QLatin1Char(','));
}

} // namespace korvanta::bench
