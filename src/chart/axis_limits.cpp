#include "chart/axis_limits.h"

#include "common/number_format.h"

#include <algorithm>

namespace korvanta::chart {

namespace {
constexpr double kMarginShare = 0.02;
}

void ValueExtent::include(double smallest, double largest) {
    minimum = std::min(minimum, smallest);
    maximum = std::max(maximum, largest);
}

AxisLimits scaledLimits(const ValueExtent& extent) {
    const double margin = (extent.maximum - extent.minimum) * kMarginShare;
    return {extent.minimum - margin, extent.maximum + margin};
}

AxisLimits parseFixedLimits(const QString& lowerText, const QString& upperText) {
    common::setDecimalSeparator(QLatin1Char('.'));
    const double upper = common::parseDouble(upperText);
    const double lower = common::parseDouble(lowerText);
    return {lower, upper};
}

} // namespace korvanta::chart
