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

    const auto texts = std::make_shared<LabelTexts>(
        QStringList{QStringLiteral(" 10:00:00.000"), QStringLiteral("b")});
    labels.setTexts(texts);
    EXPECT_EQ(labels.label(0, 5), QStringLiteral(" 10:00:00.000"));
    EXPECT_EQ(labels.label(1, 5), QStringLiteral("b"));
    EXPECT_EQ(labels.label(2, at(0, 0, 2, 0)), QStringLiteral("00:00:02.000"));
    EXPECT_EQ(labels.sharedStore(), texts.get());
    EXPECT_EQ(labels.indexStore(), nullptr);

    labels.reset();
    EXPECT_EQ(labels.label(0, at(0, 0, 3, 0)), QStringLiteral("00:00:03.000"));
}

TEST(PointLabelsTest, AnIndexPicksTheTextOfEachPoint) {
    // A column that only some lines had: its points take the labels of those lines.
    const auto texts = std::make_shared<LabelTexts>(
        QStringList{QStringLiteral("l0"), QStringLiteral("l1"), QStringLiteral("l2")});
    const auto lines = std::make_shared<std::vector<int>>(std::vector<int>{0, 2, 7});
    PointLabels labels;
    labels.setTexts(texts, lines);
    EXPECT_EQ(labels.label(0, 0), QStringLiteral("l0"));
    EXPECT_EQ(labels.label(1, 1), QStringLiteral("l2"));
    EXPECT_EQ(labels.label(2, 2), QString()); // a line beyond the texts has no label
    EXPECT_EQ(labels.label(3, at(0, 0, 4, 0)), QStringLiteral("00:00:04.000"));
    EXPECT_EQ(labels.sharedStore(), texts.get());
    EXPECT_EQ(labels.indexStore(), lines.get());
    EXPECT_GE(labels.indexBytes(), 3 * sizeof(int));

    labels.setStamps(std::make_shared<std::vector<double>>(1, at(1, 0, 0, 0)),
                     QStringLiteral("hh:mm"));
    EXPECT_EQ(labels.indexStore(), nullptr);
    EXPECT_EQ(labels.label(1, at(0, 0, 5, 0)), QStringLiteral("00:00:05.000"));
}

TEST(LabelTextsTest, KeepsEveryTextExactlyInOneBlock) {
    const QStringList texts{QStringLiteral("2024-01-02 10:00:00.000"), QString(),
                            QStringLiteral(" 1"), QStringLiteral("zażółć gęślą"),
                            QStringLiteral("x")};
    const LabelTexts block(texts);
    ASSERT_EQ(block.size(), texts.size());
    for (int i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(block.at(i), texts.at(i)) << i;
    }
    // Characters once each plus one end offset per text: far below a string per text.
    std::size_t chars = 0;
    for (const QString& text : texts) {
        chars += static_cast<std::size_t>(text.toUtf8().size());
    }
    EXPECT_GE(block.bytes(), chars + texts.size() * sizeof(std::size_t));
    EXPECT_LE(block.bytes(), chars + texts.size() * sizeof(std::size_t) + 64);
    EXPECT_EQ(LabelTexts().size(), 0);
}

} // namespace
} // namespace korvanta::chart
