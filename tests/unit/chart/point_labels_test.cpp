#include "chart/point_labels.h"

#include <gtest/gtest.h>

namespace korvanta::chart {
namespace {

// Day 45000 at hh:mm:ss.zzz.
double at(int h, int m, int s, int ms) {
    return 45000 + (h * 3600.0 + m * 60.0 + s + ms / 1000.0) / 86400.0;
}

TEST(PointLabelsTest, LivePointsTakeTheTimeOfTheirX) {
    PointLabels labels;
    EXPECT_EQ(labels.label(0, at(12, 34, 56, 789)), QStringLiteral("12:34:56.789"));
    EXPECT_EQ(labels.label(7, at(0, 0, 1, 5)), QStringLiteral("00:00:01.005"));
    EXPECT_EQ(labels.label(-1, at(1, 2, 3, 4)), QString());
    EXPECT_EQ(labels.sharedStore(), nullptr);
}

TEST(PointLabelsTest, SharedStampsAndTextsCoverTheirPointsOnly) {
    PointLabels labels;
    auto stamps = std::make_shared<std::vector<double>>(
        std::vector<double>{at(1, 2, 3, 456), at(23, 59, 58, 1)});
    labels.setStamps(stamps, QStringLiteral("nn:ss.zzz"));
    EXPECT_EQ(labels.label(0, 0), QStringLiteral("02:03.456"));
    EXPECT_EQ(labels.label(1, 1), QStringLiteral("59:58.001"));
    // A point appended after the shared stamps is a live point.
    EXPECT_EQ(labels.label(2, at(8, 9, 10, 11)), QStringLiteral("08:09:10.011"));
    EXPECT_EQ(labels.sharedStore(), stamps.get());
    EXPECT_EQ(labels.sharedBytes(), 2 * sizeof(double));

    labels.setTexts(std::make_shared<QStringList>(
        QStringList{QStringLiteral(" 10:00:00.000"), QStringLiteral("b")}));
    EXPECT_EQ(labels.label(0, 5), QStringLiteral(" 10:00:00.000"));
    EXPECT_EQ(labels.label(1, 5), QStringLiteral("b"));
    EXPECT_EQ(labels.label(2, at(0, 0, 2, 0)), QStringLiteral("00:00:02.000"));

    labels.reset();
    EXPECT_EQ(labels.label(0, at(0, 0, 3, 0)), QStringLiteral("00:00:03.000"));
}

} // namespace
} // namespace korvanta::chart
