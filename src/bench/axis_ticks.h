#pragma once
// Divisions of a chart axis in the test document: round limits and a step of 1, 2 or 5 times a
// power of ten, so the tick labels read as plain numbers.

#include <QString>
#include <span>

namespace korvanta::bench {

struct AxisTicks {
    double lower = 0;
    double upper = 1;
    double step = 1;

    // Ticks from lower to upper inclusive; at least two.
    int count() const;
    // The i-th tick; a tick within rounding of zero is exactly zero.
    double at(int index) const;
};

// The smallest step of 1, 2 or 5 times a power of ten that cuts a positive span into at most
// maxIntervals parts.
double niceStep(double span, int maxIntervals);

// Round limits around the finite values with at most maxIntervals (at least 2) steps between them.
// No finite value, or a span too wide for a double, gives 0 to 1; one value (or all equal) is
// widened by a tenth of its size, or by 1 at zero, so the axis always has a height.
AxisTicks niceTicks(std::span<const double> values, int maxIntervals);

// A tick's text: as many decimals as the step needs, with the decimal comma.
QString tickText(double value, double step);

} // namespace korvanta::bench
