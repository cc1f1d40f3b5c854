// libFuzzer target over the number texts of the edits and the settings record: parsing with
// either decimal separator, integers, the comma edits of the bench tests, and the formats whose
// texts are parsed again. A parse that accepts a text outside the number forms, gives a value that
// is not finite, or cannot read back what a format wrote aborts.

#include "bench/parameter_text.h"
#include "common/conversion_error.h"
#include "common/number_format.h"
#include "fuzz_checks.h"

#include <QString>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>

using namespace korvanta;

namespace {

using fuzz::isDigit;
using fuzz::require;

// Counts the digits from `at` and moves past them.
int skipDigits(const QString& text, qsizetype& at) {
    const qsizetype start = at;
    while (at < text.size() && isDigit(text[at])) {
        ++at;
    }
    return static_cast<int>(at - start);
}

void skipSign(const QString& text, qsizetype& at) {
    if (at < text.size() && (text[at] == QLatin1Char('+') || text[at] == QLatin1Char('-'))) {
        ++at;
    }
}

// [sign] digits, nothing else.
bool isIntegerForm(const QString& text) {
    qsizetype at = 0;
    skipSign(text, at);
    return skipDigits(text, at) > 0 && at == text.size();
}

// [sign] (digits [separator [digits]] | separator digits) [e [sign] digits].
bool isFloatForm(const QString& text, QChar separator) {
    qsizetype at = 0;
    skipSign(text, at);
    int mantissaDigits = skipDigits(text, at);
    if (at < text.size() && text[at] == separator) {
        ++at;
        mantissaDigits += skipDigits(text, at);
    }
    if (mantissaDigits == 0) {
        return false;
    }
    if (at < text.size() && (text[at] == QLatin1Char('e') || text[at] == QLatin1Char('E'))) {
        ++at;
        skipSign(text, at);
        if (skipDigits(text, at) == 0) {
            return false;
        }
    }
    return at == text.size();
}

std::optional<double> tryParseDouble(const QString& text) {
    try {
        return common::parseDouble(text);
    } catch (const common::ConversionError&) {
        return std::nullopt;
    }
}

std::optional<int> tryParseInt(const QString& text) {
    try {
        return common::parseInt(text);
    } catch (const common::ConversionError&) {
        return std::nullopt;
    }
}

bool closeTo(double a, double b, double tolerance) {
    return std::fabs(a - b) <= tolerance;
}

// The general form keeps 15 significant digits, so reading it back is that close.
void checkGeneralForm(double value) {
    const auto back = tryParseDouble(common::formatGeneral(value));
    require(back.has_value());
    require(closeTo(*back, value, std::fabs(value) * 1e-14));
}

// Two decimals round half away from zero: the text read back is within half a hundredth.
void checkTwoDecimals(double value) {
    const QString text = common::formatFloat(QStringLiteral("##0.00"), value);
    const auto back = tryParseDouble(text);
    require(back.has_value());
    require(closeTo(*back, value, 0.005 + std::fabs(value) * 1e-15));
}

void checkDouble(const QString& text, QChar separator) {
    const auto value = tryParseDouble(text);
    if (!value) {
        return;
    }
    require(std::isfinite(*value));
    require(isFloatForm(text.trimmed(), separator));
    checkGeneralForm(*value);
    checkTwoDecimals(*value);
}

void checkInt(const QString& text) {
    const auto value = tryParseInt(text);
    if (!value) {
        return;
    }
    require(isIntegerForm(text.trimmed()));
    require(tryParseInt(QString::number(*value)) == value);
    const auto asDouble = tryParseDouble(text);
    require(asDouble.has_value() && *asDouble == static_cast<double>(*value));
}

// The bench edits: an empty text stores nothing, a number shown with commaText reads back.
void checkCommaEdit(const QString& text) {
    std::optional<double> value;
    try {
        value = bench::parseCommaDouble(text);
    } catch (const common::ConversionError&) {
        return;
    }
    if (text.isEmpty()) {
        require(!value.has_value());
        return;
    }
    require(common::decimalSeparator() == QLatin1Char(','));
    require(value.has_value() && std::isfinite(*value));
    const auto back = bench::parseCommaDouble(bench::commaText(*value));
    require(back.has_value() && closeTo(*back, *value, std::fabs(*value) * 1e-14));
}

// Any 8 bytes as a double: every finite one is formatted so that it reads back.
void checkFormatsOf(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof(double)) {
        return;
    }
    double value = 0;
    std::memcpy(&value, data, sizeof value);
    if (std::isfinite(value)) {
        checkGeneralForm(value);
        checkTwoDecimals(value);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const QChar separator : {QLatin1Char('.'), QLatin1Char(',')}) {
        common::setDecimalSeparator(separator);
        checkDouble(text, separator);
        checkInt(text);
        checkFormatsOf(data, size);
    }
    common::setDecimalSeparator(QLatin1Char('.'));
    checkCommaEdit(text);
    return 0;
}
