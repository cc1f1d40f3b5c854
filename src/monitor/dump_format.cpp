#include "monitor/dump_format.h"

#include "common/day_time.h"
#include "common/number_format.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace korvanta::monitor {
namespace {

constexpr std::int64_t kMsPerHour = 3600000;
// Above this the scaled value may not be exact in a double; the general formatter takes over.
constexpr double kExactLimit = 9.0e15;

char* twoDigits(char* out, int value) {
    out[0] = static_cast<char>('0' + value / 10);
    out[1] = static_cast<char>('0' + value % 10);
    return out + 2;
}

char* viaGeneralFormatter(char* out, float value, char separator) {
    const QString text = common::formatFloat(QStringLiteral(".0000"), static_cast<double>(value))
                             .replace(common::decimalSeparator(), QLatin1Char(separator));
    const QByteArray bytes = text.toLatin1().left(kDumpFieldMax);
    std::memcpy(out, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return out + bytes.size();
}

} // namespace

char* appendElapsedTime(char* out, double days) {
    const double ms = std::fabs(days) * common::kMillisecondsPerDay;
    // A time stamp that is not a number shows as no time rather than as garbage.
    const std::int64_t total = std::isfinite(ms) && ms < kExactLimit ? std::llround(ms) : 0;
    const std::int64_t inHour = total % kMsPerHour;
    out = twoDigits(out, static_cast<int>(inHour / 60000));
    *out++ = ':';
    out = twoDigits(out, static_cast<int>(inHour / 1000 % 60));
    *out++ = '.';
    const int millis = static_cast<int>(inHour % 1000);
    *out++ = static_cast<char>('0' + millis / 100);
    return twoDigits(out, millis % 100);
}

char* appendFourDecimals(char* out, float value, char separator) {
    // A float has 24 significant bits and 10000 = 2^4 × 625 only 10 more, so the product is
    // exact in a double and std::round gives the half-away-from-zero rounding of the formatter
    // (a tie such as 0.03125 is a real tie here, as in the decimal digits it starts from).
    const double scaled = static_cast<double>(value) * 10000.0;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= kExactLimit) {
        return viaGeneralFormatter(out, value, separator);
    }
    const auto units = static_cast<std::int64_t>(std::round(std::fabs(scaled)));
    if (units != 0 && scaled < 0) {
        *out++ = '-';
    }
    const std::int64_t whole = units / 10000;
    if (whole != 0) {
        out = std::to_chars(out, out + 20, whole).ptr;
    }
    *out++ = separator;
    const int fraction = static_cast<int>(units % 10000);
    out = twoDigits(out, fraction / 100);
    return twoDigits(out, fraction % 100);
}

} // namespace korvanta::monitor
