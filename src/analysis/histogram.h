#pragma once
// The histogram of the analysed signal ("Histogram").

#include "common/result.h"

#include <QString>
#include <span>
#include <vector>

namespace korvanta::analysis {

struct HistogramBar {
    int count = 0; // the bar's height
    QString label; // the bin's middle, "#0.000"
};

struct Histogram {
    double lowest = 0; // smallest value of the whole series
    double width = 0;  // bin width; 0 when every value is the same
    QString widthText; // "Bin's width:", "0.000"
    std::vector<HistogramBar> bars;
};

// The bins span the smallest to the largest value of the whole series (`all`), `bins` of equal
// width; the visible values are counted, value v in bin floor((v - lowest) / width) and the
// largest value in the last bin. A series whose values are all equal gives one bar holding every
// visible value. A bin count below 1 or an empty series is refused with a message. NaN values
// are not counted.
common::Result<Histogram> histogram(std::span<const double> all, std::span<const double> visible,
                                    int bins);

} // namespace korvanta::analysis
