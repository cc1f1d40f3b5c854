#pragma once
// The frequency band of "Rectangular window": hertz to the bottom axis of the spectrum chart.

#include "analysis/ranges.h"
#include "common/result.h"

#include <cstdint>
#include <optional>

namespace korvanta::analysis {

// The bottom-axis range, in spectrum point units, that shows the band from..to Hz of a spectrum
// of halfSize points at sampling rate fs: halfSize·f/(fs·0.5) for each bound, less firstBin - 1
// when the drawn spectrum starts at bin firstBin (a spectrum limited to "od"); firstBin 1 is a
// spectrum from 0 Hz. An empty bound leaves that side open: 0 Hz below, fs/2 above. fs not
// above 0: setSamplingRateText().
common::Result<AxisRange> frequencyRangeAxis(std::optional<double> from, std::optional<double> to,
                                             double samplingRate, std::uint32_t halfSize,
                                             std::uint32_t firstBin = 1);

} // namespace korvanta::analysis
