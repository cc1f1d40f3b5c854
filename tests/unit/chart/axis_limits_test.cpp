#include "chart/axis_limits.h"
#include "common/conversion_error.h"
#include "common/number_format.h"

#include <gtest/gtest.h>

namespace korvanta::chart {
namespace {

TEST(AxisLimitsTest, FittedRangeIncludesZeroAndAddsTwoPercent) {
    ValueExtent positive;
    positive.include(2, 50);
    // min stays 0, max 50, margin 1: the lower limit is -2 % of the maximum.
    const AxisLimits a = scaledLimits(positive);
    EXPECT_DOUBLE_EQ(a.lower, -1);
    EXPECT_DOUBLE_EQ(a.upper, 51);

    ValueExtent mixed;
    mixed.include(-10, 40);
    mixed.include(5, 90);
    const AxisLimits b = scaledLimits(mixed); // extent -10..90, margin 2
    EXPECT_DOUBLE_EQ(b.lower, -12);
    EXPECT_DOUBLE_EQ(b.upper, 92);

    const AxisLimits zero = scaledLimits(ValueExtent{});
    EXPECT_EQ(zero.lower, 0);
    EXPECT_EQ(zero.upper, 0);
}

TEST(AxisLimitsTest, FixedLimitsParseWithThePointAndRejectOtherTexts) {
    common::setDecimalSeparator(QLatin1Char(','));
    const AxisLimits limits = parseFixedLimits(QStringLiteral("-30"), QStringLiteral("12.5"));
    EXPECT_EQ(common::decimalSeparator(), QLatin1Char('.'));
    EXPECT_DOUBLE_EQ(limits.lower, -30);
    EXPECT_DOUBLE_EQ(limits.upper, 12.5);
    EXPECT_THROW(parseFixedLimits(QStringLiteral("abc"), QStringLiteral("1")),
                 common::ConversionError);
    EXPECT_THROW(parseFixedLimits(QStringLiteral("1"), QString()), common::ConversionError);
}

} // namespace
} // namespace korvanta::chart
