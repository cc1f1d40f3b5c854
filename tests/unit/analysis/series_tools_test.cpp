#include "analysis/analysis_scaling.h"
#include "analysis/histogram.h"
#include "analysis/series_tools.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace korvanta::analysis {
namespace {

TEST(SeriesTools, ZeroRemovesTheMean) {
    std::vector<double> y = {1, 2, 3};
    EXPECT_EQ(removeMean(y), 2.0);
    EXPECT_EQ(y, (std::vector<double>{-1, 0, 1}));
    std::vector<double> none;
    EXPECT_EQ(removeMean(none), 0.0);
}

TEST(SeriesTools, EnvelopeIsAForwardMovingRmsWShorter) {
    const std::vector<double> y = {1, 1, 3, 3, 5};
    const auto two = envelope(y, 2);
    ASSERT_TRUE(two.ok());
    ASSERT_EQ(two.value().size(), 3u);
    EXPECT_DOUBLE_EQ(two.value()[0], 1.0);
    EXPECT_DOUBLE_EQ(two.value()[1], std::sqrt(5.0));
    EXPECT_DOUBLE_EQ(two.value()[2], 3.0);
    const auto one = envelope(std::vector<double>{-2, 3}, 1);
    ASSERT_TRUE(one.ok());
    EXPECT_EQ(one.value(), std::vector<double>{2.0}); // |v|, the last point deleted
    EXPECT_TRUE(envelope(y, 5).value().empty());

    for (const int bad : {0, -3, 6}) {
        const auto refused = envelope(y, bad);
        EXPECT_FALSE(refused.ok()) << bad;
        EXPECT_EQ(refused.reason(), QStringLiteral("Ilość próbek w oknie musi być od 1 do 5"));
    }
}

TEST(SeriesTools, CalibrationMultipliesEveryValue) {
    std::vector<double> y = {1, -2, 0.5};
    calibrate(y, 2.5);
    EXPECT_EQ(y, (std::vector<double>{2.5, -5, 1.25}));
}

TEST(Histogram, TenBinsOverZeroToTen) {
    std::vector<double> y;
    for (int v = 0; v <= 10; ++v) {
        y.push_back(v);
    }
    const auto h = histogram(y, y, 10);
    ASSERT_TRUE(h.ok());
    EXPECT_EQ(h.value().widthText, QStringLiteral("1.000"));
    ASSERT_EQ(h.value().bars.size(), 10u);
    EXPECT_EQ(h.value().bars[0].label, QStringLiteral("0.500"));
    EXPECT_EQ(h.value().bars[9].label, QStringLiteral("9.500"));
    for (std::size_t k = 0; k < 9; ++k) {
        EXPECT_EQ(h.value().bars[k].count, 1) << k;
    }
    EXPECT_EQ(h.value().bars[9].count, 2); // 9 and the maximum 10

    // The bins span the whole series, only the visible values are counted.
    const std::vector<double> visible = {5, 5.5, 6};
    const auto part = histogram(y, visible, 10);
    ASSERT_TRUE(part.ok());
    EXPECT_EQ(part.value().bars[5].count, 2);
    EXPECT_EQ(part.value().bars[6].count, 1);
    EXPECT_EQ(part.value().bars[0].count, 0);
}

TEST(Histogram, EqualValuesMakeOneBarAndABadBinCountIsRefused) {
    const std::vector<double> flat = {4, 4, 4, 4};
    const auto h = histogram(flat, flat, 7);
    ASSERT_TRUE(h.ok());
    ASSERT_EQ(h.value().bars.size(), 1u);
    EXPECT_EQ(h.value().bars[0].count, 4);
    EXPECT_EQ(h.value().bars[0].label, QStringLiteral("4.000"));
    EXPECT_EQ(h.value().widthText, QStringLiteral("0.000"));

    const auto none = histogram(flat, flat, 0);
    EXPECT_FALSE(none.ok());
    EXPECT_EQ(none.reason(), QStringLiteral("Liczba przedziałów musi być co najmniej 1"));
    EXPECT_FALSE(histogram({}, {}, 5).ok());
}

TEST(AnalysisScaling, FitsTheSeriesWithTwoPercentMargins) {
    const std::vector<double> a = {1, 3};
    const std::vector<double> b = {-1};
    const std::vector<std::span<const double>> series = {a, b};
    const auto range = analysisScaling(series);
    ASSERT_TRUE(range.has_value());
    EXPECT_DOUBLE_EQ(range->minimum, -1.08);
    EXPECT_DOUBLE_EQ(range->maximum, 3.08);
    EXPECT_FALSE(analysisScaling({}).has_value());
}

} // namespace
} // namespace korvanta::analysis
