#include "bench/axis_ticks.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace korvanta::bench {
namespace {

// The step's leading digit, whatever its power of ten.
double mantissaOf(double step) {
    return step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
}

TEST(AxisTicksTest, StepsAreOneTwoOrFiveTimesAPowerOfTen) {
    EXPECT_DOUBLE_EQ(niceStep(10, 5), 2);
    EXPECT_DOUBLE_EQ(niceStep(7, 5), 2);
    EXPECT_DOUBLE_EQ(niceStep(0.3, 3), 0.1);
    EXPECT_DOUBLE_EQ(niceStep(1000, 4), 500);
    EXPECT_DOUBLE_EQ(niceStep(1, 10), 0.1);
    EXPECT_DOUBLE_EQ(niceStep(0.0042, 6), 0.001);
    EXPECT_DOUBLE_EQ(niceStep(9.4, 1), 10);
}

TEST(AxisTicksTest, LimitsAreRoundedOutwardsWithinTheIntervalCount) {
    const std::vector<double> rising{0.3, 9.7, 4.0};
    const AxisTicks plain = niceTicks(rising, 5);
    EXPECT_DOUBLE_EQ(plain.lower, 0);
    EXPECT_DOUBLE_EQ(plain.upper, 10);
    EXPECT_DOUBLE_EQ(plain.step, 2);
    EXPECT_EQ(plain.count(), 6);
    EXPECT_DOUBLE_EQ(plain.at(5), 10);

    // A step of 10 would need -10..60, seven intervals; the next step, 20, fits in four.
    const std::vector<double> force{-0.12, 0, 24.8, 50.3};
    const AxisTicks widened = niceTicks(force, 6);
    EXPECT_DOUBLE_EQ(widened.lower, -20);
    EXPECT_DOUBLE_EQ(widened.upper, 60);
    EXPECT_DOUBLE_EQ(widened.step, 20);

    const std::vector<std::vector<double>> samples{{-0.4, 0.7}, {123.4, 127.9}, {-1e-4, 3e-4},
                                                   {-250, -12}, {0.001, 1e5},   {17, 17.0001}};
    for (const auto& values : samples) {
        for (int intervals = 1; intervals <= 8; ++intervals) {
            const AxisTicks ticks = niceTicks(values, intervals);
            EXPECT_LE(ticks.lower, values.front()) << values.front() << " " << intervals;
            EXPECT_GE(ticks.upper, values.back()) << values.back() << " " << intervals;
            EXPECT_LE(ticks.count() - 1, std::max(2, intervals)) << values.front();
            const double mantissa = mantissaOf(ticks.step);
            EXPECT_TRUE(std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 ||
                        std::abs(mantissa - 5) < 1e-9)
                << ticks.step;
        }
    }
}

TEST(AxisTicksTest, EmptyConstantAndUnusableValuesStillGiveAnAxisWithHeight) {
    const AxisTicks none = niceTicks({}, 5);
    EXPECT_DOUBLE_EQ(none.lower, 0);
    EXPECT_DOUBLE_EQ(none.upper, 1);
    EXPECT_EQ(none.count(), 2);

    const std::vector<double> unusable{std::nan(""), std::numeric_limits<double>::infinity()};
    const AxisTicks skipped = niceTicks(unusable, 5);
    EXPECT_DOUBLE_EQ(skipped.lower, 0);
    EXPECT_DOUBLE_EQ(skipped.upper, 1);

    const std::vector<double> constant{5, 5, 5};
    const AxisTicks flat = niceTicks(constant, 5);
    EXPECT_DOUBLE_EQ(flat.lower, 4.5);
    EXPECT_DOUBLE_EQ(flat.upper, 5.5);
    EXPECT_DOUBLE_EQ(flat.step, 0.5);

    const std::vector<double> zero{0, 0};
    const AxisTicks atZero = niceTicks(zero, 5);
    EXPECT_DOUBLE_EQ(atZero.lower, -1);
    EXPECT_DOUBLE_EQ(atZero.upper, 1);
    EXPECT_DOUBLE_EQ(atZero.step, 0.5);

    const std::vector<double> single{-3, std::nan("")};
    const AxisTicks one = niceTicks(single, 5);
    EXPECT_NEAR(one.lower, -3.4, 1e-12);
    EXPECT_NEAR(one.upper, -2.6, 1e-12);
    EXPECT_NEAR(one.step, 0.2, 1e-12);
    EXPECT_EQ(one.count(), 5);

    const std::vector<double> huge{-1e308, 1e308};
    EXPECT_DOUBLE_EQ(niceTicks(huge, 5).upper, 1);
}

TEST(AxisTicksTest, TickTextsHaveTheStepsDecimalsAndADecimalComma) {
    EXPECT_EQ(tickText(2.5, 0.5), QStringLiteral("2,5"));
    EXPECT_EQ(tickText(1500, 500), QStringLiteral("1500"));
    EXPECT_EQ(tickText(-0.05, 0.05), QStringLiteral("-0,05"));
    EXPECT_EQ(tickText(0.001, 0.001), QStringLiteral("0,001"));
    EXPECT_EQ(tickText(-1e-18, 0.1), QStringLiteral("0,0"));

    // Summing the step leaves a rounding residue at zero; the tick is zero, not -0.0 or 5e-17.
    const AxisTicks ticks{-0.3, 0.3, 0.1};
    EXPECT_EQ(ticks.count(), 7);
    EXPECT_EQ(ticks.at(3), 0.0);
    EXPECT_FALSE(std::signbit(ticks.at(3)));
    EXPECT_EQ(tickText(ticks.at(3), ticks.step), QStringLiteral("0,0"));
    EXPECT_EQ(tickText(ticks.at(1), ticks.step), QStringLiteral("-0,2"));
}

} // namespace
} // namespace korvanta::bench
