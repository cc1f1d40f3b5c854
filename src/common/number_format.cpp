#include "common/number_format.h"

#include "common/conversion_error.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <string>

namespace korvanta::common {

QChar localeDecimalSeparator() {
    const QString point = QLocale().decimalPoint();
    return point.size() == 1 ? point.front() : QLatin1Char('.');
}

namespace {

QChar g_separator = localeDecimalSeparator();

struct Pattern {
    QString prefix;
    int minIntegerDigits = 0;
    int minDecimals = 0;
    int maxDecimals = 0;
};

Pattern parsePattern(const QString& pattern) {
    Pattern p;
    int i = 0;
    while (i < pattern.size() && pattern[i] != QLatin1Char('#') && pattern[i] != QLatin1Char('0') &&
           pattern[i] != QLatin1Char('.')) {
        p.prefix += pattern[i++];
    }
    for (; i < pattern.size() && pattern[i] != QLatin1Char('.'); ++i) {
        if (pattern[i] == QLatin1Char('0')) {
            ++p.minIntegerDigits;
        }
    }
    for (++i; i < pattern.size(); ++i) {
        if (pattern[i] == QLatin1Char('0')) {
            ++p.minDecimals;
            ++p.maxDecimals;
        } else if (pattern[i] == QLatin1Char('#')) {
            ++p.maxDecimals;
        }
    }
    return p;
}

// Digits of |value| rounded half away from zero to `decimals` places, from the shortest exact
// decimal form of the double (so 0.125 rounds to 0.13 as a person would expect).
std::string roundedDigits(double value, int decimals, int& pointPosition) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                std::chars_format::scientific);
    std::string text(buffer, result.ptr);
    const auto e = text.find('e');
    const int exponent = std::stoi(text.substr(e + 1));
    std::string digits;
    for (std::size_t k = 0; k < e; ++k) {
        if (text[k] != '.') {
            digits += text[k];
        }
    }
    pointPosition = exponent + 1; // digits before the decimal point
    if (pointPosition < 0) {
        digits.insert(0, static_cast<std::size_t>(-pointPosition), '0');
        pointPosition = 0;
    }
    const int keep = pointPosition + decimals;
    if (keep < 0) {
        return "0";
    }
    if (static_cast<int>(digits.size()) > keep) {
        const bool roundUp = digits[static_cast<std::size_t>(keep)] >= '5';
        digits.resize(static_cast<std::size_t>(keep));
        if (roundUp) {
            int k = keep - 1;
            while (k >= 0 && digits[static_cast<std::size_t>(k)] == '9') {
                digits[static_cast<std::size_t>(k--)] = '0';
            }
            if (k < 0) {
                digits.insert(digits.begin(), '1');
                ++pointPosition;
            } else {
                ++digits[static_cast<std::size_t>(k)];
            }
        }
    }
    digits.resize(static_cast<std::size_t>(pointPosition + decimals), '0');
    return digits;
}

// from_chars takes a '-' but no '+', so a leading '+' is skipped before it reads; a '-' right
// after that '+' would then pass as the number's own sign.
bool signedTwice(const std::string& s) {
    return s.size() >= 2 && s[0] == '+' && s[1] == '-';
}

QString invalid(const QString& text, const char* kind) {
    return QStringLiteral("'%1' is not a valid %2 value").arg(text, QLatin1String(kind));
}

} // namespace

QChar decimalSeparator() {
    return g_separator;
}
void setDecimalSeparator(QChar separator) {
    g_separator = separator;
}

QString formatFloat(const QString& pattern, double value) {
    const Pattern p = parsePattern(pattern);
    if (!std::isfinite(value)) {
        return p.prefix + (std::isnan(value)
                               ? QStringLiteral("NAN")
                               : (value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF")));
    }
    int pointPosition = 0;
    const std::string digits = roundedDigits(value, p.maxDecimals, pointPosition);
    QString integerPart = QString::fromLatin1(digits.substr(0, pointPosition));
    QString fraction = QString::fromLatin1(digits.substr(static_cast<std::size_t>(pointPosition)));
    while (integerPart.size() > 1 && integerPart.startsWith(QLatin1Char('0'))) {
        integerPart.remove(0, 1);
    }
    if (integerPart == QLatin1String("0")) {
        integerPart.clear();
    }
    while (integerPart.size() < p.minIntegerDigits) {
        integerPart.prepend(QLatin1Char('0'));
    }
    while (fraction.size() > p.minDecimals && fraction.endsWith(QLatin1Char('0'))) {
        fraction.chop(1);
    }
    const bool allZero = !digits.empty() && digits.find_first_not_of('0') == std::string::npos;
    QString out = p.prefix;
    if (value < 0 && !allZero) {
        out += QLatin1Char('-');
    }
    out += integerPart;
    if (!fraction.isEmpty()) {
        out += g_separator + fraction;
    }
    return out;
}

QString generalText(double value) {
    // The largest double, 1.7976931348623157e308, to 15 digits rounded toward zero.
    constexpr double kLargestGeneral = 1.79769313486231e308;
    QString text = QString::number(value, 'g', 15);
    const std::string digits = text.toStdString();
    double back = 0;
    const auto read = std::from_chars(digits.data(), digits.data() + digits.size(), back);
    if (std::isfinite(value) && read.ec == std::errc::result_out_of_range) {
        text = QString::number(std::copysign(kLargestGeneral, value), 'g', 15);
    }
    return text;
}

QString formatGeneral(double value) {
    QString text = generalText(value);
    if (text.contains(QLatin1Char('e'))) {
        text = text.toUpper();
    }
    return text.replace(QLatin1Char('.'), g_separator);
}

double parseDouble(const QString& text) {
    QString t = text.trimmed();
    if (t.isEmpty() || t.contains(QLatin1Char(' '))) {
        throw ConversionError(notAFloatMessage(text));
    }
    if (g_separator != QLatin1Char('.')) {
        if (t.contains(QLatin1Char('.'))) {
            throw ConversionError(notAFloatMessage(text));
        }
        t.replace(g_separator, QLatin1Char('.'));
    }
    const std::string s = t.toStdString();
    if (signedTwice(s)) {
        throw ConversionError(notAFloatMessage(text));
    }
    double value = 0;
    const char* first = s.data();
    const char* last = s.data() + s.size();
    if (*first == '+') {
        ++first;
    }
    const auto result = std::from_chars(first, last, value);
    if (result.ec != std::errc() || result.ptr != last || !std::isfinite(value)) {
        throw ConversionError(notAFloatMessage(text));
    }
    return value;
}

int parseInt(const QString& text) {
    const std::string s = text.trimmed().toStdString();
    if (signedTwice(s)) {
        throw ConversionError(notAnIntegerMessage(text));
    }
    int value = 0;
    const char* first = s.data();
    const char* last = s.data() + s.size();
    if (first != last && *first == '+') {
        ++first;
    }
    const auto result = std::from_chars(first, last, value);
    if (s.empty() || result.ec != std::errc() || result.ptr != last) {
        throw ConversionError(notAnIntegerMessage(text));
    }
    return value;
}

QString notAFloatMessage(const QString& text) {
    return invalid(text, "floating point");
}
QString notAnIntegerMessage(const QString& text) {
    return invalid(text, "integer");
}

} // namespace korvanta::common
