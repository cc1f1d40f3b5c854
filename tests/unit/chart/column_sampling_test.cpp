#include "chart/column_sampling.h"
#include "chart/min_max_pyramid.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace korvanta::chart {
namespace {

// Key/value pairs laid out as the chart keeps them.
struct Points {
    std::vector<double> pairs;

    void add(double key, double value) {
        pairs.push_back(key);
        pairs.push_back(value);
    }
    std::size_t size() const { return pairs.size() / 2; }
    StridedValues keys() const { return {pairs.data(), 2}; }
    StridedValues values() const { return {pairs.data() + 1, 2}; }
};

std::size_t firstLowest(const Points& p, std::size_t begin, std::size_t end) {
    std::size_t best = begin;
    for (std::size_t i = begin; i < end; ++i) {
        best = p.values()[i] < p.values()[best] ? i : best;
    }
    return best;
}

std::size_t firstHighest(const Points& p, std::size_t begin, std::size_t end) {
    std::size_t best = begin;
    for (std::size_t i = begin; i < end; ++i) {
        best = p.values()[i] > p.values()[best] ? i : best;
    }
    return best;
}

TEST(MinMaxPyramidTest, AnyRunGivesTheFirstLowestAndHighestWhileGrowingInSteps) {
    std::mt19937 random(7);
    Points p;
    MinMaxPyramid pyramid;
    // Few distinct values, so equal values are common and the first of them must be chosen.
    std::uniform_int_distribution<int> value(-5, 5);
    std::uniform_int_distribution<int> chunk(1, 300);
    while (p.size() < 5000) {
        const int added = chunk(random);
        for (int i = 0; i < added; ++i) {
            p.add(static_cast<double>(p.size()), value(random));
        }
        pyramid.extend(p.values(), p.size());
        ASSERT_EQ(pyramid.covered(), p.size());
        std::uniform_int_distribution<std::size_t> index(0, p.size() - 1);
        for (int q = 0; q < 50; ++q) {
            std::size_t a = index(random);
            std::size_t b = index(random);
            if (a > b) {
                std::swap(a, b);
            }
            const auto [lowest, highest] = pyramid.minMax(p.values(), a, b + 1);
            ASSERT_EQ(lowest, firstLowest(p, a, b + 1)) << a << ".." << b;
            ASSERT_EQ(highest, firstHighest(p, a, b + 1)) << a << ".." << b;
        }
    }
    // Six bytes a point at most: with the 16 of a point it stays within 24.
    EXPECT_LE(pyramid.bytes(), 6 * p.size());
    EXPECT_FALSE(pyramid.holdsNaN());
}

TEST(MinMaxPyramidTest, FewerPointsStartAgainAndNaNIsNoticed) {
    Points p;
    for (int i = 0; i < 100; ++i) {
        p.add(i, i);
    }
    MinMaxPyramid pyramid;
    pyramid.extend(p.values(), 100);
    // The series was replaced by a shorter one, highest first.
    Points q;
    for (int i = 0; i < 40; ++i) {
        q.add(i, 40 - i);
    }
    pyramid.extend(q.values(), 40);
    EXPECT_EQ(pyramid.minMax(q.values(), 0, 40), std::make_pair(std::size_t{39}, std::size_t{0}));
    q.add(40, std::nan(""));
    pyramid.extend(q.values(), 41);
    EXPECT_TRUE(pyramid.holdsNaN());
    pyramid.clear();
    EXPECT_EQ(pyramid.covered(), 0U);
    EXPECT_EQ(pyramid.bytes(), 0U);
}

// Every pixel column's first, last, lowest and highest point is drawn, nothing else, in order.
void expectColumnsKept(const Points& p, KeyToPixel toPixel) {
    MinMaxPyramid pyramid;
    pyramid.extend(p.values(), p.size());
    std::vector<std::size_t> drawn;
    sampleColumns(p.keys(), p.values(), pyramid, 0, p.size(), toPixel, drawn);
    ASSERT_TRUE(std::is_sorted(drawn.begin(), drawn.end()));
    ASSERT_EQ(std::adjacent_find(drawn.begin(), drawn.end()), drawn.end());
    const auto columnOf = [&](std::size_t i) {
        return std::floor(toPixel.offset + p.keys()[i] * toPixel.scale);
    };
    std::size_t columns = 0;
    std::size_t begin = 0;
    while (begin < p.size()) {
        std::size_t end = begin;
        while (end < p.size() && columnOf(end) == columnOf(begin)) {
            ++end;
        }
        ++columns;
        std::vector<std::size_t> inColumn;
        std::copy_if(drawn.begin(), drawn.end(), std::back_inserter(inColumn),
                     [&](std::size_t i) { return i >= begin && i < end; });
        ASSERT_LE(inColumn.size(), 4U);
        ASSERT_FALSE(inColumn.empty());
        EXPECT_EQ(inColumn.front(), begin);
        EXPECT_EQ(inColumn.back(), end - 1);
        const auto has = [&](std::size_t i) {
            return std::find(inColumn.begin(), inColumn.end(), i) != inColumn.end();
        };
        EXPECT_TRUE(has(firstLowest(p, begin, end))) << "column at " << begin;
        EXPECT_TRUE(has(firstHighest(p, begin, end))) << "column at " << begin;
        begin = end;
    }
    EXPECT_LE(drawn.size(), 4 * columns);
}

TEST(ColumnSamplingTest, EachColumnKeepsItsEndsAndExtremes) {
    std::mt19937 random(11);
    std::normal_distribution<double> noise(0, 3);
    std::exponential_distribution<double> gap(1.0);
    Points noisy;
    double key = 45000;
    for (int i = 0; i < 20000; ++i) {
        key += gap(random) / 86400;
        noisy.add(key, noise(random));
    }
    // About a day over 1500 pixels, the key axis starting left of the first point.
    const double scale = 1500 / (key - 45000);
    expectColumnsKept(noisy, {-45000 * scale + 7.5, scale});

    Points sine;
    Points step;
    for (int i = 0; i < 30000; ++i) {
        sine.add(i, std::sin(i * 0.01));
        step.add(i, i < 17000 ? -1.0 : 2.0);
    }
    expectColumnsKept(sine, {0, 1600.0 / 30000});
    expectColumnsKept(step, {3, 1600.0 / 30000});
}

TEST(ColumnSamplingTest, ASinglePointSpikeAndSparsePointsAreAllDrawn) {
    Points flat;
    for (int i = 0; i < 100000; ++i) {
        flat.add(i, i == 61234 ? 9.0 : 0.0);
    }
    MinMaxPyramid pyramid;
    pyramid.extend(flat.values(), flat.size());
    std::vector<std::size_t> drawn;
    sampleColumns(flat.keys(), flat.values(), pyramid, 0, flat.size(), {0, 1000.0 / 100000}, drawn);
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), 61234U), drawn.end());
    EXPECT_LE(drawn.size(), 4000U);

    // Fewer points than columns: every point is its own column.
    Points sparse;
    for (int i = 0; i < 50; ++i) {
        sparse.add(i, i % 3);
    }
    pyramid.extend(sparse.values(), sparse.size());
    drawn.clear();
    sampleColumns(sparse.keys(), sparse.values(), pyramid, 10, 50, {0, 20}, drawn);
    ASSERT_EQ(drawn.size(), 40U);
    EXPECT_EQ(drawn.front(), 10U);
    EXPECT_EQ(drawn.back(), 49U);
}

// Points whose keys are their indexes: the one-pass choice over float values must be the
// choice over the same points as the chart holds them, so drawing either gives one picture.
TEST(ColumnSamplingTest, IndexedValuesKeepThePointsTheChartWouldDraw) {
    std::mt19937 random(5);
    std::uniform_int_distribution<int> level(-4, 4);
    std::vector<float> values;
    for (int i = 0; i < 30011; ++i) {
        // Few levels, so equal values compete for lowest and highest.
        values.push_back(i % 5000 == 0 ? 40.0f : static_cast<float>(level(random)));
    }
    Points asHeld;
    for (std::size_t i = 0; i < values.size(); ++i) {
        asHeld.add(static_cast<double>(i), values[i]);
    }
    MinMaxPyramid pyramid;
    pyramid.extend(asHeld.values(), asHeld.size());
    const double points = static_cast<double>(values.size() - 1);
    // Whole and fractional offsets, a column per point and below, as the axis lays them out.
    for (const KeyToPixel toPixel : {KeyToPixel{57, 1531 / points}, KeyToPixel{3.37, 801 / points},
                                     KeyToPixel{-12.5, 2.0}, KeyToPixel{0.25, 0.01}}) {
        std::vector<std::size_t> held;
        sampleColumns(asHeld.keys(), asHeld.values(), pyramid, 0, asHeld.size(), toPixel, held);
        std::vector<std::size_t> indexed;
        sampleIndexedColumns(values, toPixel, indexed);
        EXPECT_EQ(indexed, held) << toPixel.offset << " + key * " << toPixel.scale;
    }
    std::vector<std::size_t> none;
    sampleIndexedColumns({}, {0, 1}, none);
    EXPECT_TRUE(none.empty());
}

bool sameRuns(const std::vector<ColumnRun>& a, const std::vector<ColumnRun>& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](const ColumnRun& x, const ColumnRun& y) {
               return x.first == y.first && x.lowest == y.lowest && x.highest == y.highest &&
                      x.last == y.last && x.firstValue == y.firstValue &&
                      x.lowestValue == y.lowestValue && x.highestValue == y.highestValue &&
                      x.lastValue == y.lastValue && x.firstKey == y.firstKey &&
                      x.lastKey == y.lastKey;
           });
}

// Runs read point by point, for points drawn once, are the runs the summary gives.
TEST(ColumnSamplingTest, RunsReadPointByPointAreTheSummarysRunsAndNaNIsReported) {
    std::mt19937 random(9);
    std::uniform_int_distribution<int> level(-3, 3);
    Points p;
    for (int i = 0; i < 40000; ++i) {
        p.add(i * 0.5, level(random));
    }
    MinMaxPyramid pyramid;
    pyramid.extend(p.values(), p.size());
    for (const KeyToPixel toPixel : {KeyToPixel{12.25, 1500.0 / 20000}, KeyToPixel{-3, 0.9}}) {
        std::vector<ColumnRun> summarised;
        sampleColumnRuns(p.keys(), p.values(), pyramid, 101, p.size() - 7, toPixel, summarised);
        std::vector<ColumnRun> scanned;
        EXPECT_TRUE(scanColumnRuns(p.keys(), p.values(), 101, p.size() - 7, toPixel, scanned));
        EXPECT_TRUE(sameRuns(scanned, summarised)) << toPixel.offset;
    }
    p.pairs[2 * 30000 + 1] = std::nan("");
    std::vector<ColumnRun> scanned;
    EXPECT_FALSE(scanColumnRuns(p.keys(), p.values(), 0, p.size(), {0, 0.05}, scanned));
    scanned.clear();
    EXPECT_TRUE(scanColumnRuns(p.keys(), p.values(), 0, 29000, {0, 0.05}, scanned));
}

} // namespace
} // namespace korvanta::chart
