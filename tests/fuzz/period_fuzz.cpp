// libFuzzer target over the period texts ("Okres" of monitoring and of the bench-test phases):
// the seconds of a text, the timer interval from them and the phase countdowns. A text of the
// "hh:mm:ss.zzz" form must give its own seconds and an interval of its milliseconds; any other
// text must leave the timer off; no input may reach undefined behaviour.

#include "bench/bench_parameters.h"
#include "fuzz_checks.h"
#include "monitor/period.h"

#include <QString>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>

using namespace korvanta;

namespace {

using fuzz::isDigit;
using fuzz::require;

int digitsAt(const QString& text, int first, int count) {
    int value = 0;
    for (int i = first; i < first + count; ++i) {
        value = value * 10 + (text[i].unicode() - '0');
    }
    return value;
}

// The milliseconds of a text whose first 12 characters are "hh:mm:ss.zzz", read apart from the
// program's reading; none for any other text.
std::optional<long long> periodMilliseconds(const QString& text) {
    static const QString form = QStringLiteral("00:00:00.000");
    if (text.size() < form.size()) {
        return std::nullopt;
    }
    for (int i = 0; i < form.size(); ++i) {
        const bool matches = form[i] == QLatin1Char('0') ? isDigit(text[i]) : text[i] == form[i];
        if (!matches) {
            return std::nullopt;
        }
    }
    const long long hours = digitsAt(text, 0, 2);
    const long long minutes = digitsAt(text, 3, 2);
    const long long seconds = digitsAt(text, 6, 2);
    return ((hours * 60 + minutes) * 60 + seconds) * 1000 + digitsAt(text, 9, 3);
}

void checkPeriodText(const QString& text) {
    const double seconds = monitor::konwersjaDoSekExecute(text);
    require(std::isfinite(seconds));
    const auto interval = monitor::monitoringInterval(text);
    const auto milliseconds = periodMilliseconds(text);
    if (!milliseconds) {
        require(!interval.has_value());
        return;
    }
    require(std::fabs(seconds * 1000.0 - static_cast<double>(*milliseconds)) < 1e-6);
    // The quotient in extended precision may fall just below a whole millisecond.
    if (*milliseconds >= 2) {
        require(interval.has_value());
        require(*interval == *milliseconds || *interval == *milliseconds - 1);
    }
    require(!interval || *interval >= 1);
    require(bench::phaseInterval(seconds) == static_cast<int>(*milliseconds) ||
            bench::phaseInterval(seconds) == static_cast<int>(*milliseconds) - 1 ||
            *milliseconds == 0);
}

// Any doubles at all: the interval and countdowns stay in 0..INT_MAX.
void checkIntervals(const std::uint8_t* data, std::size_t size) {
    if (size < 2 * sizeof(double)) {
        return;
    }
    double first = 0;
    double second = 0;
    std::memcpy(&first, data, sizeof first);
    std::memcpy(&second, data + sizeof first, sizeof second);
    const int interval = monitor::timerIntervalFromPeriod(first);
    require(interval >= 0);
    require(first > 0 || interval == 0);
    require(bench::phaseInterval(first) >= 0);
    const int steps = bench::phaseSteps(first, second);
    require(steps >= 0);
    require(second > 0 || steps == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto* bytes = reinterpret_cast<const char*>(data);
    const auto length = static_cast<qsizetype>(size);
    checkPeriodText(QString::fromUtf8(bytes, length));
    checkPeriodText(QString::fromLatin1(bytes, length));
    checkIntervals(data, size);
    return 0;
}
