#include "chart/column_sampling.h"

#include <algorithm>
#include <cmath>

namespace korvanta::chart {

namespace {

// The first index after `from` whose key reaches `limit`, or `end`: a galloping search, so a
// column of a few points costs a few steps.
std::size_t runEnd(StridedValues keys, std::size_t from, std::size_t end, double limit) {
    std::size_t below = from; // keys[below] < limit
    std::size_t step = 1;
    while (below + step < end && keys[below + step] < limit) {
        below += step;
        step *= 2;
    }
    std::size_t above = std::min(below + step, end); // keys[above] >= limit, or the end
    while (above - below > 1) {
        const std::size_t middle = below + (above - below) / 2;
        if (keys[middle] < limit) {
            below = middle;
        } else {
            above = middle;
        }
    }
    return above;
}

void appendOnce(std::vector<std::size_t>& out, std::size_t index) {
    if (out.empty() || out.back() != index) {
        out.push_back(index);
    }
}

// The first index of the run that starts at `first`: the points whose keys lie below the right
// edge of the pixel column of `first`.
std::size_t indexedRunEnd(std::size_t first, std::size_t count, KeyToPixel toPixel) {
    const double column = std::floor(toPixel.offset + static_cast<double>(first) * toPixel.scale);
    const double limit = std::ceil((column + 1 - toPixel.offset) / toPixel.scale);
    if (!(limit > static_cast<double>(first + 1))) {
        return std::min(first + 1, count);
    }
    return limit >= static_cast<double>(count) ? count : static_cast<std::size_t>(limit);
}

} // namespace

void sampleIndexedColumns(std::span<const float> values, KeyToPixel toPixel,
                          std::vector<std::size_t>& out) {
    const std::size_t count = values.size();
    std::size_t first = 0;
    while (first < count) {
        const std::size_t stop = indexedRunEnd(first, count, toPixel);
        std::size_t lowest = first;
        std::size_t highest = first;
        for (std::size_t i = first + 1; i < stop; ++i) {
            lowest = values[i] < values[lowest] ? i : lowest;
            highest = values[i] > values[highest] ? i : highest;
        }
        appendOnce(out, first);
        appendOnce(out, std::min(lowest, highest));
        appendOnce(out, std::max(lowest, highest));
        appendOnce(out, stop - 1);
        first = stop;
    }
}

void sampleColumns(StridedValues keys, StridedValues values, const MinMaxPyramid& pyramid,
                   std::size_t begin, std::size_t end, KeyToPixel toPixel,
                   std::vector<std::size_t>& out) {
    std::size_t first = begin;
    while (first < end) {
        const double column = std::floor(toPixel.offset + keys[first] * toPixel.scale);
        const double limit = (column + 1 - toPixel.offset) / toPixel.scale;
        const std::size_t stop = runEnd(keys, first, end, limit);
        const std::size_t last = stop - 1;
        appendOnce(out, first);
        if (last > first + 1) {
            const auto [lowest, highest] = pyramid.minMax(values, first, stop);
            appendOnce(out, std::min(lowest, highest));
            appendOnce(out, std::max(lowest, highest));
        }
        appendOnce(out, last);
        first = stop;
    }
}

} // namespace korvanta::chart
