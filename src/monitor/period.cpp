#include "monitor/period.h"

#include "common/cp1250.h"

#include <climits>
#include <cmath>
#include <limits>

namespace korvanta::monitor {
namespace {

static_assert(std::numeric_limits<long double>::digits == 64,
              "the interval is defined by the x87 extended quotient");

constexpr int kPeriodLength = 12;

// The 1-based fixed position's digit value, 0 beyond the text.
int digitAt(const QByteArray& bytes, int position) {
    if (position > bytes.size()) {
        return 0;
    }
    return static_cast<unsigned char>(bytes[position - 1]) - '0';
}

int number(const QByteArray& bytes, int first, int count) {
    int value = 0;
    for (int p = first; p < first + count; ++p) {
        value = value * 10 + digitAt(bytes, p);
    }
    return value;
}

bool hasPeriodForm(const QString& text) {
    if (text.size() < kPeriodLength) {
        return false;
    }
    static const QString form = QStringLiteral("00:00:00.000");
    for (int i = 0; i < kPeriodLength; ++i) {
        const bool digitPlace = form[i] == QLatin1Char('0');
        const QChar c = text[i];
        const bool matches =
            digitPlace ? c >= QLatin1Char('0') && c <= QLatin1Char('9') : c == form[i];
        if (!matches) {
            return false;
        }
    }
    return true;
}

} // namespace

double konwersjaDoSekExecute(const QString& text) {
    const QByteArray bytes = common::toCp1250(text.left(kPeriodLength));
    return number(bytes, 1, 2) * 3600.0 + number(bytes, 4, 2) * 60.0 + number(bytes, 7, 2) +
           number(bytes, 10, 3) * 0.001;
}

int timerIntervalFromPeriod(double seconds) {
    const double f = 1.0 / seconds;
    const long double quotient = 1000.0L / static_cast<long double>(f);
    if (!(quotient > 0)) {
        return 0;
    }
    if (quotient >= static_cast<long double>(INT_MAX)) {
        return INT_MAX;
    }
    return static_cast<int>(std::trunc(quotient));
}

std::optional<int> monitoringInterval(const QString& periodText) {
    if (!hasPeriodForm(periodText)) {
        return std::nullopt;
    }
    const int interval = timerIntervalFromPeriod(konwersjaDoSekExecute(periodText));
    if (interval < 1) {
        return std::nullopt;
    }
    return interval;
}

} // namespace korvanta::monitor
