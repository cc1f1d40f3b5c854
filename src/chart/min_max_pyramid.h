#pragma once
// The minimum and maximum of any run of a long series in logarithmic time: for blocks of 2^k
// points (k from 3 up) it keeps each block's smallest and largest value and their indexes, at most
// six bytes a point, and grows as points are appended.

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace korvanta::chart {

// Values laid out at a fixed distance from each other, such as the value field of an array of
// key/value points.
struct StridedValues {
    const double* first = nullptr;
    std::size_t stride = 1;

    double operator[](std::size_t index) const { return first[index * stride]; }
};

// The lowest and highest point seen so far of a run. A later equal value does not replace an
// earlier one, so a run's answer does not depend on how it is split.
struct RunExtremes {
    std::size_t lowest;
    std::size_t highest;
    double low;
    double high;

    static RunExtremes of(std::size_t index, double value) { return {index, index, value, value}; }

    void include(std::size_t index, double value) { include(index, value, index, value); }
    void include(std::size_t lowIndex, double lowValue, std::size_t highIndex, double highValue) {
        if (lowValue < low) {
            lowest = lowIndex;
            low = lowValue;
        }
        if (highValue > high) {
            highest = highIndex;
            high = highValue;
        }
    }
};

class MinMaxPyramid {
public:
    // The smallest block summarised: runs shorter than this are read point by point.
    static constexpr std::size_t kFirstBlockShift = 3;
    static constexpr std::size_t kFirstBlock = std::size_t{1} << kFirstBlockShift;

    // Forgets every point.
    void clear();
    // Summarises points covered() .. count - 1; the points before covered() must be unchanged
    // since they were summarised. A count below covered() starts again from nothing.
    void extend(StridedValues values, std::size_t count);
    std::size_t covered() const { return m_covered; }
    // True when one of the covered values is not a number.
    bool holdsNaN() const { return m_nanCount > 0; }

    // The indexes of the smallest and the largest value of points begin .. end - 1 (the first of
    // equal values); begin < end <= covered(). Over values that hold NaN the result is some index
    // of the run: a drawing of such a series must not rely on it (see holdsNaN()).
    std::pair<std::size_t, std::size_t> minMax(StridedValues values, std::size_t begin,
                                               std::size_t end) const;

    // The bytes held for the summary.
    std::size_t bytes() const;

private:
    // The values are kept beside their indexes: a run's search compares blocks without reading
    // the points, which are scattered over far more memory.
    struct Block {
        std::uint32_t lowest;
        std::uint32_t highest;
        double low;
        double high;
    };

    void appendBlocks(StridedValues values, std::size_t level);

    // m_levels[k] holds the blocks of kFirstBlock << k points, in order.
    std::vector<std::vector<Block>> m_levels;
    std::size_t m_covered = 0;
    std::size_t m_nanCount = 0;
};

} // namespace korvanta::chart
