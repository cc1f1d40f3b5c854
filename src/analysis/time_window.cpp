#include "analysis/time_window.h"

#include <algorithm>
#include <cmath>

namespace korvanta::analysis {

namespace {

constexpr double kTwoPi = 6.283185307179586;

// The visible range cut to the points the series has.
VisibleRange within(std::span<const double> series, VisibleRange visible) {
    if (series.empty()) {
        return {1, 0};
    }
    return {visible.first, std::min(visible.last, series.size() - 1)};
}

void applyTriangular(std::span<double> series, VisibleRange visible) {
    const std::size_t M = visible.last;
    const std::size_t h = M / 2;
    for (std::size_t x = visible.first; x < h; ++x) {
        series[x] = series[x] * (static_cast<double>(x) / static_cast<double>(h));
    }
    // The falling side starts at the first visible point when the apex lies left of the view.
    for (std::size_t x = std::max(h + 1, visible.first); x < M; ++x) {
        series[x] = series[x] * (2 - static_cast<double>(x) / static_cast<double>(h));
    }
}

} // namespace

double cosineWindowWeight(TimeWindow window, std::size_t j, std::size_t M) {
    if (M == 0) {
        return 1.0;
    }
    const double a = kTwoPi * static_cast<double>(j) / static_cast<double>(M);
    switch (window) {
    case TimeWindow::Hanning:
        return 0.5 - 0.5 * std::cos(a);
    case TimeWindow::Hamming:
        return 0.53836 - 0.46164 * std::cos(a);
    case TimeWindow::FlatTop:
        return 1 - 1.93 * std::cos(a) + 1.29 * std::cos(2 * a) - 0.388 * std::cos(3 * a) +
               0.032 * std::cos(4 * a);
    case TimeWindow::Triangular:
        break;
    }
    return 1.0;
}

std::vector<double> applyWindow(TimeWindow window, std::span<double> series, VisibleRange visible) {
    visible = within(series, visible);
    if (visible.empty()) {
        return {};
    }
    const auto shown = series.subspan(visible.first, visible.count());
    std::vector<double> saved(shown.begin(), shown.end());
    if (window == TimeWindow::Triangular) {
        applyTriangular(series, visible);
        return saved;
    }
    for (std::size_t j = visible.first; j <= visible.last; ++j) {
        series[j] = series[j] * cosineWindowWeight(window, j, visible.last);
    }
    return saved;
}

void undoWindow(std::span<double> series, VisibleRange visible, std::span<const double> store) {
    visible = within(series, visible);
    const std::size_t count = std::min(visible.count(), store.size());
    if (count == 0) {
        return;
    }
    std::copy_n(store.begin(), count, series.begin() + static_cast<std::ptrdiff_t>(visible.first));
}

} // namespace korvanta::analysis
