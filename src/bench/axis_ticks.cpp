#include "bench/axis_ticks.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace korvanta::bench {
namespace {

// Relative slack for quotients that land a hair beside a whole number.
constexpr double kSlack = 1e-9;

struct Extent {
    double minimum = std::numeric_limits<double>::infinity();
    double maximum = -std::numeric_limits<double>::infinity();

    bool empty() const { return minimum > maximum; }
};

Extent finiteExtent(std::span<const double> values) {
    Extent extent;
    for (const double value : values) {
        if (std::isfinite(value)) {
            extent.minimum = std::min(extent.minimum, value);
            extent.maximum = std::max(extent.maximum, value);
        }
    }
    return extent;
}

// Equal values, or values so close that no step could tell them apart, get a visible height.
Extent withHeight(Extent extent) {
    const double size = std::max(std::abs(extent.minimum), std::abs(extent.maximum));
    if (extent.maximum - extent.minimum > size * 1e-12) {
        return extent;
    }
    const double half = size > 0 ? size / 10 : 1;
    return {extent.minimum - half, extent.maximum + half};
}

double nextNiceStep(double step) {
    const double power = std::pow(10.0, std::floor(std::log10(step) + kSlack));
    const double mantissa = step / power;
    if (mantissa < 1.5) {
        return 2 * power;
    }
    return mantissa < 3.5 ? 5 * power : 10 * power;
}

AxisTicks roundedOut(const Extent& extent, double step) {
    AxisTicks ticks;
    ticks.step = step;
    ticks.lower = std::floor(extent.minimum / step + kSlack) * step;
    ticks.upper = std::ceil(extent.maximum / step - kSlack) * step;
    if (ticks.upper <= ticks.lower) {
        ticks.upper = ticks.lower + step;
    }
    return ticks;
}

} // namespace

int AxisTicks::count() const {
    return std::max(2, static_cast<int>(std::lround((upper - lower) / step)) + 1);
}

double AxisTicks::at(int index) const {
    const double value = lower + index * step;
    return std::abs(value) < step * kSlack ? 0.0 : value;
}

double niceStep(double span, int maxIntervals) {
    const double raw = span / std::max(1, maxIntervals);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    const double mantissa = raw / power;
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (mantissa <= factor * (1 + kSlack)) {
            return factor * power;
        }
    }
    return 10 * power;
}

AxisTicks niceTicks(std::span<const double> values, int maxIntervals) {
    const Extent found = finiteExtent(values);
    if (found.empty()) {
        return {};
    }
    const Extent extent = withHeight(found);
    if (!std::isfinite(extent.maximum - extent.minimum)) {
        return {};
    }
    // Two intervals always suffice once the step reaches the span, so the widening ends.
    const int intervals = std::max(2, maxIntervals);
    double step = niceStep(extent.maximum - extent.minimum, intervals);
    AxisTicks ticks = roundedOut(extent, step);
    // Rounding the limits outwards can add an interval at each end.
    while (ticks.count() - 1 > intervals) {
        step = nextNiceStep(step);
        ticks = roundedOut(extent, step);
    }
    return ticks;
}

QString tickText(double value, double step) {
    const int decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - kSlack));
    const double shown = std::abs(value) < step * kSlack ? 0.0 : value;
    return QString::number(shown, 'f', decimals).replace(QLatin1Char('.'), QLatin1Char(','));
}

} // namespace korvanta::bench
