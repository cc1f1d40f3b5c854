#pragma once
// How far the monitoring chart's summary drawing is from drawing every point: both pictures are
// rendered at one size and compared pixel by pixel.

#include "chart/ui/monitor_chart.h"

#include <QImage>
#include <QPixmap>

namespace korvanta::benchmarks {

inline void setPointByPoint(chart::ui::MonitorChart& chart, bool on) {
    for (int i = 0; i < chart::ui::MonitorChart::kSeriesCount; ++i) {
        chart.series(i)->setAdaptiveSampling(!on);
    }
}

// The share of pixels, in percent, that differ between the two drawings.
inline double summaryPixelDifference(chart::ui::MonitorChart& chart, int width, int height) {
    const QImage summary = chart.toPixmap(width, height).toImage();
    setPointByPoint(chart, true);
    const QImage plain = chart.toPixmap(width, height).toImage();
    setPointByPoint(chart, false);
    long long differing = 0;
    for (int y = 0; y < summary.height(); ++y) {
        for (int x = 0; x < summary.width(); ++x) {
            differing += summary.pixel(x, y) != plain.pixel(x, y) ? 1 : 0;
        }
    }
    return 100.0 * static_cast<double>(differing) / (static_cast<double>(width) * height);
}

} // namespace korvanta::benchmarks
