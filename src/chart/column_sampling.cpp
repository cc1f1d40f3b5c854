#include "chart/column_sampling.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace korvanta::chart {

namespace {

// Narrows below < above, where `below` is in the run (or its start) and `above` is the first
// index past it (or the end), to the first index past it.
std::size_t bisectRunEnd(StridedValues keys, std::size_t below, std::size_t above, double limit) {
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

// The first index after `from` whose key reaches `limit`, or `end`. The search starts at `guess`
// and gallops from there, so a good guess (the width of the column before) costs two steps and
// a column of a few points a few.
std::size_t runEnd(StridedValues keys, std::size_t from, std::size_t end, double limit,
                   std::size_t guess) {
    guess = std::clamp(guess, from + 1, end);
    if (guess == end || keys[guess] >= limit) {
        std::size_t above = guess; // keys[above] >= limit, or the end
        std::size_t step = 1;
        while (above - from > step && keys[above - step] >= limit) {
            above -= step;
            step *= 2;
        }
        return bisectRunEnd(keys, above - from > step ? above - step : from, above, limit);
    }
    std::size_t below = guess; // keys[below] < limit
    std::size_t step = 1;
    while (below + step < end && keys[below + step] < limit) {
        below += step;
        step *= 2;
    }
    return bisectRunEnd(keys, below, std::min(below + step, end), limit);
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

namespace {

// The runs of points begin .. end - 1, pixel column by pixel column; `minMax(first, stop)` gives
// the first lowest and highest point of a run of three points or more.
template <typename MinMax>
void columnRuns(StridedValues keys, StridedValues values, std::size_t begin, std::size_t end,
                KeyToPixel toPixel, std::vector<ColumnRun>& out, MinMax minMax) {
    std::size_t first = begin;
    std::size_t width = 1;
    while (first < end) {
        const double column = std::floor(toPixel.offset + keys[first] * toPixel.scale);
        const double limit = (column + 1 - toPixel.offset) / toPixel.scale;
        const std::size_t stop = runEnd(keys, first, end, limit, first + width);
        ColumnRun run{first, first, first, stop - 1};
        if (stop - first > 2) {
            std::tie(run.lowest, run.highest) = minMax(first, stop);
        } else if (stop - first == 2) {
            run.lowest = values[first + 1] < values[first] ? first + 1 : first;
            run.highest = values[first + 1] > values[first] ? first + 1 : first;
        }
        run.firstKey = keys[first];
        run.lastKey = keys[run.last];
        run.firstValue = values[first];
        run.lowestValue = values[run.lowest];
        run.highestValue = values[run.highest];
        run.lastValue = values[run.last];
        out.push_back(run);
        width = stop - first;
        first = stop;
    }
}

} // namespace

void sampleColumnRuns(StridedValues keys, StridedValues values, const MinMaxPyramid& pyramid,
                      std::size_t begin, std::size_t end, KeyToPixel toPixel,
                      std::vector<ColumnRun>& out) {
    columnRuns(keys, values, begin, end, toPixel, out, [&](std::size_t first, std::size_t stop) {
        return pyramid.minMax(values, first, stop);
    });
}

bool scanColumnRuns(StridedValues keys, StridedValues values, std::size_t begin, std::size_t end,
                    KeyToPixel toPixel, std::vector<ColumnRun>& out) {
    bool numbers = true;
    columnRuns(keys, values, begin, end, toPixel, out, [&](std::size_t first, std::size_t stop) {
        RunExtremes run = RunExtremes::of(first, values[first]);
        numbers = numbers && !std::isnan(run.low);
        for (std::size_t i = first + 1; i < stop; ++i) {
            const double value = values[i];
            numbers = numbers && !std::isnan(value);
            run.include(i, value);
        }
        return std::make_pair(run.lowest, run.highest);
    });
    for (const ColumnRun& run : out) {
        numbers = numbers && !std::isnan(run.firstValue) && !std::isnan(run.lastValue);
    }
    return numbers;
}

void sampleColumns(StridedValues keys, StridedValues values, const MinMaxPyramid& pyramid,
                   std::size_t begin, std::size_t end, KeyToPixel toPixel,
                   std::vector<std::size_t>& out) {
    thread_local std::vector<ColumnRun> runs;
    runs.clear();
    sampleColumnRuns(keys, values, pyramid, begin, end, toPixel, runs);
    for (const ColumnRun& run : runs) {
        appendOnce(out, run.first);
        appendOnce(out, std::min(run.lowest, run.highest));
        appendOnce(out, std::max(run.lowest, run.highest));
        appendOnce(out, run.last);
    }
}

} // namespace korvanta::chart
