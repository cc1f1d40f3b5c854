#pragma once
// Limits of the two value axes of the monitoring chart: fitted to the data or typed by the user.

#include <QString>

namespace korvanta::chart {

struct AxisLimits {
    double lower = 0;
    double upper = 0;
};

// The extent of the considered series; it starts at 0, so a fitted range always includes 0.
struct ValueExtent {
    double minimum = 0;
    double maximum = 0;

    void include(double smallest, double largest);
};

// The fitted limits: the extent widened by 2 % of its height on both sides.
AxisLimits scaledLimits(const ValueExtent& extent);

// The limits typed in "Dolna" and "Górna", parsed with the decimal point (which becomes the
// process-wide separator). Throws ConversionError when a text is not a number.
AxisLimits parseFixedLimits(const QString& lowerText, const QString& upperText);

} // namespace korvanta::chart
