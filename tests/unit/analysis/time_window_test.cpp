#include "analysis/time_window.h"

#include <gtest/gtest.h>
#include <vector>

namespace korvanta::analysis {
namespace {

TEST(TimeWindow, HanningOnTenPointsIsSymmetricWithZeroEnds) {
    std::vector<double> y(10, 1.0);
    const std::vector<double> saved = applyWindow(TimeWindow::Hanning, y, {0, 9});
    EXPECT_EQ(saved, std::vector<double>(10, 1.0));
    EXPECT_EQ(y[0], 0.0);
    EXPECT_NEAR(y[9], 0.0, 1e-15);
    for (std::size_t j = 0; j < 10; ++j) {
        EXPECT_NEAR(y[j], y[9 - j], 1e-15) << j;
    }
    EXPECT_NEAR(y[3], 0.75, 1e-15); // 0.5 - 0.5·cos(2π·3/9): denominator 9, not 10
    EXPECT_GT(y[4], 0.95);
}

TEST(TimeWindow, CosineWindowsAtTheEndsAndTheMiddle) {
    EXPECT_NEAR(cosineWindowWeight(TimeWindow::Hamming, 0, 10), 0.07672, 1e-15);
    EXPECT_NEAR(cosineWindowWeight(TimeWindow::Hamming, 5, 10), 1.0, 1e-15);
    EXPECT_NEAR(cosineWindowWeight(TimeWindow::FlatTop, 0, 10), 0.004, 1e-14);
    EXPECT_NEAR(cosineWindowWeight(TimeWindow::FlatTop, 5, 10), 4.64, 1e-14);
    EXPECT_EQ(cosineWindowWeight(TimeWindow::Hanning, 0, 0), 1.0); // one point: no window
}

TEST(TimeWindow, ZoomedViewTakesItsPartOfTheSameAbsoluteWindow) {
    std::vector<double> y(10, 2.0);
    const std::vector<double> saved = applyWindow(TimeWindow::Hanning, y, {6, 9});
    EXPECT_EQ(saved.size(), 4u);
    for (std::size_t j = 0; j < 6; ++j) {
        EXPECT_EQ(y[j], 2.0) << j;
    }
    EXPECT_NEAR(y[6], 2 * 0.75, 1e-15); // w(6) of denominator 9
    EXPECT_NEAR(y[9], 0.0, 1e-15);
}

TEST(TimeWindow, TriangularOnElevenPointsKeepsApexAndLastPoint) {
    std::vector<double> y(11, 2.0);
    applyWindow(TimeWindow::Triangular, y, {0, 10});
    const double weights[] = {0, 0.2, 0.4, 0.6, 0.8, 1, 0.8, 0.6, 0.4, 0.2, 1};
    for (std::size_t x = 0; x < 11; ++x) {
        EXPECT_DOUBLE_EQ(y[x], 2 * weights[x]) << x;
    }
}

TEST(TimeWindow, TriangularRightOfTheApexChangesOnlyVisiblePoints) {
    std::vector<double> y(11, 1.0);
    const std::vector<double> saved = applyWindow(TimeWindow::Triangular, y, {7, 10});
    EXPECT_EQ(y[6], 1.0); // left of the view, never saved
    EXPECT_DOUBLE_EQ(y[7], 0.6);
    EXPECT_DOUBLE_EQ(y[9], 0.2);
    EXPECT_EQ(y[10], 1.0);
    undoWindow(y, {7, 10}, saved);
    EXPECT_EQ(y, std::vector<double>(11, 1.0));
}

TEST(TimeWindow, UndoAfterTwoWindowsRestoresTheValuesBeforeTheFirst) {
    const std::vector<double> original = {3, -1, 4, 1, -5, 9, 2, -6};
    std::vector<double> y = original;
    std::vector<double> store = applyWindow(TimeWindow::Hanning, y, {0, 7});
    const std::vector<double> second = applyWindow(TimeWindow::Hanning, y, {0, 7});
    store.insert(store.end(), second.begin(), second.end());
    ASSERT_EQ(store.size(), 16u);
    EXPECT_NE(y, original);
    undoWindow(y, {0, 7}, store);
    EXPECT_EQ(y, original);
}

TEST(TimeWindow, NothingVisibleChangesNothing) {
    std::vector<double> y = {1, 2, 3};
    EXPECT_TRUE(applyWindow(TimeWindow::FlatTop, y, {2, 1}).empty());
    EXPECT_TRUE(applyWindow(TimeWindow::Hanning, {}, {0, 4}).empty());
    undoWindow(y, {5, 9}, std::vector<double>{7, 7});
    EXPECT_EQ(y, (std::vector<double>{1, 2, 3}));
    // A view reaching past the series is cut to it.
    EXPECT_EQ(applyWindow(TimeWindow::Hamming, y, {1, 8}).size(), 2u);
}

} // namespace
} // namespace korvanta::analysis
