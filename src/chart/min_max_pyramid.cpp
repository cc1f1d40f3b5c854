#include "chart/min_max_pyramid.h"

#include <array>
#include <cmath>

namespace korvanta::chart {

namespace {

// The smallest block's lowest and highest point, the first of equal values: the extremes are
// found without branches, then their first places, which keeps a long series' summary quick to
// build.
std::pair<std::size_t, std::size_t> firstBlock(StridedValues values, std::size_t start) {
    constexpr std::size_t n = MinMaxPyramid::kFirstBlock;
    std::array<double, n> v{};
    for (std::size_t i = 0; i < n; ++i) {
        v[i] = values[start + i];
    }
    double low = v[0];
    double high = v[0];
    for (std::size_t i = 1; i < n; ++i) {
        low = v[i] < low ? v[i] : low;
        high = v[i] > high ? v[i] : high;
    }
    std::size_t lowest = 0;
    std::size_t highest = 0;
    while (lowest < n && !(v[lowest] == low)) {
        ++lowest;
    }
    while (highest < n && !(v[highest] == high)) {
        ++highest;
    }
    // Only a NaN first value finds no equal: the block then answers with its first point.
    return {start + (lowest < n ? lowest : 0), start + (highest < n ? highest : 0)};
}

} // namespace

void MinMaxPyramid::clear() {
    m_levels.clear();
    m_covered = 0;
    m_nanCount = 0;
}

void MinMaxPyramid::extend(StridedValues values, std::size_t count) {
    if (count < m_covered) {
        clear();
    }
    for (std::size_t i = m_covered; i < count; ++i) {
        if (std::isnan(values[i])) {
            ++m_nanCount;
        }
    }
    m_covered = count;
    for (std::size_t level = 0; (kFirstBlock << level) <= m_covered; ++level) {
        if (m_levels.size() == level) {
            m_levels.emplace_back();
        }
        appendBlocks(values, level);
    }
}

void MinMaxPyramid::appendBlocks(StridedValues values, std::size_t level) {
    std::vector<Block>& blocks = m_levels[level];
    const std::size_t complete = m_covered / (kFirstBlock << level);
    while (blocks.size() < complete) {
        if (level == 0) {
            const auto [lowest, highest] = firstBlock(values, blocks.size() * kFirstBlock);
            blocks.push_back({static_cast<std::uint32_t>(lowest),
                              static_cast<std::uint32_t>(highest), values[lowest],
                              values[highest]});
            continue;
        }
        const Block& left = m_levels[level - 1][2 * blocks.size()];
        const Block& right = m_levels[level - 1][2 * blocks.size() + 1];
        RunExtremes both{left.lowest, left.highest, left.low, left.high};
        both.include(right.lowest, right.low, right.highest, right.high);
        blocks.push_back({static_cast<std::uint32_t>(both.lowest),
                          static_cast<std::uint32_t>(both.highest), both.low, both.high});
    }
}

std::pair<std::size_t, std::size_t> MinMaxPyramid::minMax(StridedValues values, std::size_t begin,
                                                          std::size_t end) const {
    RunExtremes run = RunExtremes::of(begin, values[begin]);
    std::size_t i = begin;
    while (i < end) {
        std::size_t level = 0;
        const bool blockStart = i % kFirstBlock == 0 && i + kFirstBlock <= end;
        if (!blockStart) {
            run.include(i, values[i]);
            ++i;
            continue;
        }
        // The largest summarised block that starts at i and ends within the run. The block sizes
        // are powers of two, so shifts and masks place i in them: a division per level would cost
        // more than the rest of the search.
        while (level + 1 < m_levels.size()) {
            const std::size_t shift = kFirstBlockShift + level + 1;
            const std::size_t size = std::size_t{1} << shift;
            if ((i & (size - 1)) != 0 || i + size > end ||
                (i >> shift) >= m_levels[level + 1].size()) {
                break;
            }
            ++level;
        }
        const Block& b = m_levels[level][i >> (kFirstBlockShift + level)];
        run.include(b.lowest, b.low, b.highest, b.high);
        i += std::size_t{1} << (kFirstBlockShift + level);
    }
    return {run.lowest, run.highest};
}

std::size_t MinMaxPyramid::bytes() const {
    std::size_t total = 0;
    for (const std::vector<Block>& blocks : m_levels) {
        total += blocks.size() * sizeof(Block);
    }
    return total;
}

} // namespace korvanta::chart
