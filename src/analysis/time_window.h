#pragma once
// The time-domain windows of the analysed signal ("Hanning window", "Hamming window",
// "Triangular window", "Flat top window") and "Undo window".
//
// A window is evaluated at the absolute point index j with the last visible index M as its
// length, so an unzoomed series of n points gets the symmetric window of denominator n - 1 and a
// zoomed one the part of that same window that falls on its visible points. Only the visible
// points change.

#include "analysis/ranges.h"

#include <cstddef>
#include <span>
#include <vector>

namespace korvanta::analysis {

enum class TimeWindow { Hanning, Hamming, Triangular, FlatTop };

// The weight of point j of a cosine window (Hanning, Hamming, Flat top) whose last visible index
// is M. With M = 0 (one point at index 0) there is no window to speak of and the weight is 1.
double cosineWindowWeight(TimeWindow window, std::size_t j, std::size_t M);

// Multiplies the visible points of `series` by the window in place and returns the values they
// held before, in point order: what the undo store "Data with window" appends (with each
// point's label, in green). Visible indices past the series are ignored; with nothing visible
// nothing changes and the result is empty.
//
// The triangular window has its apex at h = M / 2 (integer division): points x < h are weighted
// x / h, points h < x < M are weighted 2 - x / h, and the apex and the last point M keep their
// values.
std::vector<double> applyWindow(TimeWindow window, std::span<double> series, VisibleRange visible);

// "Undo window": visible point first + k takes store[k] for k = 0..last - first, as far as the
// store reaches, so after several windows the values from before the first come back. The
// caller then clears the store.
void undoWindow(std::span<double> series, VisibleRange visible, std::span<const double> store);

} // namespace korvanta::analysis
