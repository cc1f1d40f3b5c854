// A day of live points on the monitoring chart: the cost of one more chart-point step and replot
// after 24 h at 1 Hz with 64 channels, against a bare QCustomPlot holding the same points; the
// cost of zooming into one hour and back; and how far the summary drawing is from drawing every
// point.

#include "bench_timing.h"
#include "chart/ui/monitor_chart.h"
#include "monitor/current_values.h"
#include "support/chart_pictures.h"

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
using korvanta::benchmarks::threadCpuMs;
using korvanta::chart::ui::MonitorChart;

constexpr int kChannels = 64;
constexpr int kSteps = 86400;
constexpr int kRuns = 15;
constexpr double kStart = 45000.0;
constexpr double kSecond = 1.0 / 86400.0;
constexpr double kHour = 1.0 / 24.0;

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

        double t = threadCpuMs();
        chart.addLivePoints(settings, v, now, false);
        chart.rescaleKeyAxis();
        chart.replot(QCustomPlot::rpImmediateRefresh);
        chartMs.push_back(threadCpuMs() - t);

        t = threadCpuMs();
        for (int n = 0; n < kChannels; ++n) {
            bare.graph(n)->addData(now, v[static_cast<std::size_t>(n)]);
        }
        bare.xAxis->rescale();
        bare.replot(QCustomPlot::rpImmediateRefresh);
        bareMs.push_back(threadCpuMs() - t);
    }
    const double chartMedian = median(chartMs);
    const double bareMedian = median(bareMs);
    const double bytesPerPoint =
        static_cast<double>(chart.pointStorageBytes()) / static_cast<double>(chart.pointCount());
    std::printf("points held: %zu (thread CPU times, medians of %d runs)\n", chart.pointCount(),
                kRuns);
    std::printf("bare QCustomPlot step + replot: %.2f ms\n", bareMedian);
    std::printf("one step + replot: %.2f ms, ratio %.3f (target <= 0.25; <= 30 ms)\n", chartMedian,
                chartMedian / bareMedian);
    std::printf("bytes per point, labels and summaries included: %.2f bytes, ratio %.3f "
                "(target <= 1; <= 24 bytes)\n",
                bytesPerPoint, bytesPerPoint / 24);

    // One hour in the middle of the day, then the whole day again.
    const QCPRange day = chart.xAxis->range();
    const double middle = day.center();
    std::vector<double> zoomMs;
    for (int run = 0; run < kRuns; ++run) {
        double t = threadCpuMs();
        chart.xAxis->setRange(middle - kHour / 2, middle + kHour / 2);
        chart.replot(QCustomPlot::rpImmediateRefresh);
        zoomMs.push_back(threadCpuMs() - t);
        t = threadCpuMs();
        chart.xAxis->setRange(day);
        chart.replot(QCustomPlot::rpImmediateRefresh);
        zoomMs.push_back(threadCpuMs() - t);
    }
    const double slowestZoom = *std::max_element(zoomMs.begin(), zoomMs.end());
    std::printf("zoom to one hour and back, slowest replot: %.2f ms, ratio %.3f (target <= 1; "
                "<= 30 ms)\n",
                slowestZoom, slowestZoom / 30);

    const double differing = korvanta::benchmarks::summaryPixelDifference(chart, 1600, 900);
    std::printf("pixels differing from drawing every point at 1600 x 900: %.3f %%, ratio %.3f "
                "(target <= 0.5 %%)\n",
                differing, differing / 0.5);
    return 0;
}
