#pragma once
// Which points of a long series to draw so that the line looks as if every point were drawn:
// each pixel column needs only the first, lowest, highest and last point it covers.

#include "chart/min_max_pyramid.h"

#include <cstddef>
#include <span>
#include <vector>

namespace korvanta::chart {

// A key axis that rises to the right: pixel = offset + key * scale, scale > 0.
struct KeyToPixel {
    double offset = 0;
    double scale = 1;
};

// The points of one pixel column: its first, lowest, highest and last (equal when it holds one),
// with the keys and values a drawing needs, read while they are at hand.
struct ColumnRun {
    std::size_t first = 0;
    std::size_t lowest = 0;
    std::size_t highest = 0;
    std::size_t last = 0;
    double firstKey = 0;
    double lastKey = 0;
    double firstValue = 0;
    double lowestValue = 0;
    double highestValue = 0;
    double lastValue = 0;
};

// Appends to `out` one run per pixel column that points begin .. end - 1 reach, left to right:
// the points whose keys fall in the column, its lowest and highest the first of equal values.
// The keys must rise and the pyramid must cover `end`. The time grows with the number of
// columns, and only with the logarithm of the points per column.
void sampleColumnRuns(StridedValues keys, StridedValues values, const MinMaxPyramid& pyramid,
                      std::size_t begin, std::size_t end, KeyToPixel toPixel,
                      std::vector<ColumnRun>& out);

// The same runs read point by point, without a summary: a pass over the points, cheaper than
// building a summary for points that are drawn once. False when one of the values is NaN.
bool scanColumnRuns(StridedValues keys, StridedValues values, std::size_t begin, std::size_t end,
                    KeyToPixel toPixel, std::vector<ColumnRun>& out);

// Appends to `out` the indexes of points begin .. end - 1 to draw, in rising order: for every
// pixel column the run of points whose keys fall in it gives its first point, then its lowest and
// highest in the order they occur, then its last point (each index once). The keys must rise and
// the pyramid must cover `end`. The time grows with the number of columns, and only with the
// logarithm of the points per column.
void sampleColumns(StridedValues keys, StridedValues values, const MinMaxPyramid& pyramid,
                   std::size_t begin, std::size_t end, KeyToPixel toPixel,
                   std::vector<std::size_t>& out);

// The same choice for points whose keys are their indexes 0, 1, 2 … (a loaded file's column),
// made by one pass over the values, with the runs cut where sampleColumns cuts them; `out` gets
// the indexes. Drawing the chosen points column by column sets the pixels drawing all of them
// would. NaN values compare as the pass finds them; a caller that must show their gaps keeps
// every point.
void sampleIndexedColumns(std::span<const float> values, KeyToPixel toPixel,
                          std::vector<std::size_t>& out);

} // namespace korvanta::chart
