// A day of live points on the monitoring chart: the cost of one more chart-point step and replot
// after 24 h at 1 Hz with 64 channels, against a bare QCustomPlot holding the same points.

#include "bench_timing.h"
#include "chart/ui/monitor_chart.h"
#include "monitor/current_values.h"

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

using korvanta::acquisition::SettingsRecord;
using korvanta::benchmarks::Clock;
using korvanta::benchmarks::median;
using korvanta::benchmarks::millisecondsSince;
using korvanta::chart::ui::MonitorChart;

constexpr int kChannels = 64;
constexpr int kSteps = 86400;
constexpr int kRuns = 15;
constexpr double kStart = 45000.0;
constexpr double kSecond = 1.0 / 86400.0;

korvanta::monitor::CurrentValues valuesAt(int step) {
    korvanta::monitor::CurrentValues v{};
    for (int n = 0; n < kChannels; ++n) {
        v[static_cast<std::size_t>(n)] =
            10 * std::sin(step * 0.002 + n) + std::sin(step * 0.7 + 3 * n);
    }
    return v;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    SettingsRecord settings;
    for (int c = 1; c <= kChannels; ++c) {
        settings.setActive(c, true);
        settings.setAddGraph(c, true);
        settings.setChartCoefficient(c, 1);
    }
    MonitorChart chart;
    chart.resize(1200, 700);
    chart.show();
    QCustomPlot bare;
    bare.resize(1200, 700);
    bare.show();
    for (int n = 0; n < kChannels; ++n) {
        bare.addGraph();
    }

    const auto fillStart = Clock::now();
    for (int step = 0; step < kSteps; ++step) {
        const auto v = valuesAt(step);
        const double now = kStart + step * kSecond;
        chart.addLivePoints(settings, v, now, false);
        for (int n = 0; n < kChannels; ++n) {
            bare.graph(n)->addData(now, v[static_cast<std::size_t>(n)]);
        }
    }
    std::printf("filled %d steps x %d channels in %.0f ms\n", kSteps, kChannels,
                millisecondsSince(fillStart));
    chart.setFixedLimits(-12, 12);
    bare.yAxis->setRange(-12, 12);
    bare.xAxis->rescale();
    chart.replot(QCustomPlot::rpImmediateRefresh);
    bare.replot(QCustomPlot::rpImmediateRefresh);

    std::vector<double> chartMs;
    std::vector<double> bareMs;
    for (int run = 0; run < kRuns; ++run) {
        const int step = kSteps + run;
        const auto v = valuesAt(step);
        const double now = kStart + step * kSecond;

        auto t = Clock::now();
        chart.addLivePoints(settings, v, now, false);
        chart.replot(QCustomPlot::rpImmediateRefresh);
        chartMs.push_back(millisecondsSince(t));

        t = Clock::now();
        for (int n = 0; n < kChannels; ++n) {
            bare.graph(n)->addData(now, v[static_cast<std::size_t>(n)]);
        }
        bare.xAxis->rescale();
        bare.replot(QCustomPlot::rpImmediateRefresh);
        bareMs.push_back(millisecondsSince(t));
    }
    const double chartMedian = median(chartMs);
    const double bareMedian = median(bareMs);
    const double bytesPerPoint =
        static_cast<double>(chart.pointStorageBytes()) / static_cast<double>(chart.pointCount());
    std::printf("points held: %zu\n", chart.pointCount());
    std::printf("one step + replot: Chart1 %.2f ms, bare QCustomPlot %.2f ms, ratio %.2f "
                "(target <= 1.30)\n",
                chartMedian, bareMedian, chartMedian / bareMedian);
    std::printf("bytes per point, labels included: %.2f (target <= 24)\n", bytesPerPoint);
    return 0;
}
