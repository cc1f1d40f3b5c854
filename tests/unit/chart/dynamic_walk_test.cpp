#include "chart/dynamic_walk.h"

#include <array>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace korvanta::chart {
namespace {

using acquisition::Tabela;

struct Point {
    int series;
    int number;
    double stamp;
    float value;
};

// A table of `n` records; record r has time stamp 100 + r and input k = 10 r + k.
struct Table {
    explicit Table(int n) : records(static_cast<std::size_t>(n)) {
        for (int r = 0; r < n; ++r) {
            records[static_cast<std::size_t>(r)].timeStamp = 100 + r;
            for (int k = 1; k <= Tabela::kInputCount; ++k) {
                records[static_cast<std::size_t>(r)].values[k - 1] = static_cast<float>(10 * r + k);
            }
        }
    }
    acquisition::TickView view(int current) {
        return acquisition::TickView{
            acquisition::ControlBlock(control.data()),
            acquisition::DataTable(records.data(), static_cast<int>(records.size())), current, 0};
    }
    std::vector<Point> walk(int current, std::vector<int> inputs,
                            std::optional<VectorChannel> vector) {
        std::vector<Point> points;
        walkDynamicTable(view(current), inputs, vector, [&](int s, int n, double t, float y) {
            points.push_back({s, n, t, y});
        });
        return points;
    }
    std::array<unsigned char, acquisition::ControlBlock::kSize> control{};
    std::vector<Tabela> records;
};

TEST(DynamicWalkTest, WalksNMinusOneRecordsForwardFromTheCurrentOneWithWrap) {
    Table table(5);
    const auto points = table.walk(3, {2}, std::nullopt);
    ASSERT_EQ(points.size(), 4u);
    const int expectedRecords[] = {3, 4, 0, 1};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(points[i].number, i);
        EXPECT_EQ(points[i].stamp, 100 + expectedRecords[i]);
        EXPECT_EQ(points[i].value, 10 * expectedRecords[i] + 2);
    }
}

TEST(DynamicWalkTest, NothingToWalkInATinyTableOrFromABadIndex) {
    Table one(1);
    EXPECT_TRUE(one.walk(0, {1}, std::nullopt).empty());
    Table none(0);
    EXPECT_TRUE(none.walk(0, {1}, std::nullopt).empty());
    Table five(5);
    EXPECT_TRUE(five.walk(5, {1}, std::nullopt).empty());
    EXPECT_TRUE(five.walk(-1, {1}, std::nullopt).empty());
    EXPECT_TRUE(five.walk(0, {}, std::nullopt).empty());
}

TEST(DynamicWalkTest, VectorStepWritesTheWalkedRecordsBeforeTheyAreRead) {
    Table table(4);
    table.records[1].values[0] = 3; // w1
    table.records[1].values[1] = 4; // w2
    table.records[0].values[0] = 6; // would give 10 if record 0 were walked
    table.records[0].values[1] = 8;
    // Two series read input 5 (v); the step runs once per series and record.
    const auto points = table.walk(1, {5, 5}, VectorChannel{5, 1, 2});
    ASSERT_EQ(points.size(), 6u);
    EXPECT_FLOAT_EQ(points[0].value, 5.0f); // √(3² + 4²)
    EXPECT_FLOAT_EQ(points[1].value, 5.0f);
    // Record 0 is not walked (N - 1 records from R = 1: 1, 2, 3): its input 5 keeps 10·0 + 5.
    EXPECT_FLOAT_EQ(table.records[0].values[4], 5.0f);
    const float r2 = std::sqrt(21.0f * 21.0f + 22.0f * 22.0f);
    EXPECT_FLOAT_EQ(table.records[2].values[4], r2);
}

TEST(DynamicWalkTest, VectorOntoItsOwnInputCompoundsOncePerSeriesAsASeriesByWalkWould) {
    Table table(3);
    table.records[0].values[0] = 3;
    table.records[0].values[1] = 4;
    // v = w1: the first series sees √(9 + 16) = 5, the second √(25 + 16).
    const auto points = table.walk(0, {1, 1}, VectorChannel{1, 1, 2});
    ASSERT_EQ(points.size(), 4u);
    EXPECT_FLOAT_EQ(points[0].value, 5.0f);
    EXPECT_FLOAT_EQ(points[1].value, std::sqrt(41.0f));
}

TEST(DynamicWalkTest, VectorNumbersOutsideTheRecordSkipTheStep) {
    for (const VectorChannel bad :
         {VectorChannel{0, 1, 2}, VectorChannel{33, 1, 2}, VectorChannel{3, 0, 2},
          VectorChannel{3, 1, 33}, VectorChannel{-5, 40, 99}}) {
        Table table(4);
        const std::vector<Tabela> before = table.records;
        const auto points = table.walk(0, {3}, bad);
        EXPECT_EQ(points.size(), 3u);
        EXPECT_EQ(std::memcmp(before.data(), table.records.data(), before.size() * sizeof(Tabela)),
                  0);
    }
    EXPECT_FALSE(usableVector(VectorChannel{32, 32, 32}) == std::nullopt);
    EXPECT_TRUE(isRecordInput(32));
    EXPECT_FALSE(isRecordInput(33));
}

} // namespace
} // namespace korvanta::chart
