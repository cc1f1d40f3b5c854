#pragma once
// Operations on the values of a series in place: "Zero" (mean removal), the moving-RMS envelope
// "obwiednia" and "Kalibracja".

#include "common/result.h"

#include <span>
#include <vector>

namespace korvanta::analysis {

// "Zero": subtracts the mean of all `values` from each of them and returns that mean; the
// analysis page passes points 0..n of the analysed series, n the sample count it shows. Nothing
// happens to an empty span (mean 0).
double removeMean(std::span<double> values);

// The envelope of the visible values: a forward moving RMS over `window` samples,
// y[i] = sqrt((v[i]^2 + ... + v[i+W-1]^2) / W) for i = 0..count - 1 - W, so the result is W
// values shorter than the visible part: the page replaces the visible points by it and deletes
// the last W of them. A window below 1 or above the number of visible values is refused with a
// message.
common::Result<std::vector<double>> envelope(std::span<const double> visible, int window);

// "Kalibracja": every value multiplied by the calibration value.
void calibrate(std::span<double> visible, double factor);

} // namespace korvanta::analysis
