// The dynamic drawing of the whole data table: 64 series x 60,000 records redrawn and replotted,
// against a bare QCustomPlot given the same points with setData.

#include "bench_timing.h"
#include "chart/ui/monitor_chart.h"
#include "support/chart_pictures.h"

#include <QApplication>
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

using korvanta::acquisition::SettingsRecord;
using korvanta::acquisition::Tabela;
using korvanta::benchmarks::median;
using korvanta::benchmarks::threadCpuMs;
using korvanta::chart::ui::MonitorChart;

constexpr int kChannels = 64;
constexpr int kRecords = 60000;
constexpr int kRuns = 9;

int inputOf(int series) {
    return series % Tabela::kInputCount + 1;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    std::vector<Tabela> records(kRecords);
    for (int r = 0; r < kRecords; ++r) {
        records[static_cast<std::size_t>(r)].timeStamp = 45000.5 + r * 0.001 / 86400.0;
        for (int k = 0; k < Tabela::kInputCount; ++k) {
            records[static_cast<std::size_t>(r)].values[k] =
                static_cast<float>(10 * std::sin(r * 0.01 + k) + std::sin(r * 0.9));
        }
    }
    std::array<unsigned char, korvanta::acquisition::ControlBlock::kSize> control{};
    const int current = 12345;
    const korvanta::acquisition::TickView view{
        korvanta::acquisition::ControlBlock(control.data()),
        korvanta::acquisition::DataTable(records.data(), kRecords), current, 0};

    SettingsRecord settings;
    for (int c = 1; c <= kChannels; ++c) {
        settings.setActive(c, true);
        settings.setAddGraph(c, true);
        settings.setInputNumber(c, inputOf(c - 1));
    }

    MonitorChart chart;
    chart.resize(1200, 700);
    chart.show();
    chart.setFixedLimits(-12, 12);
    QCustomPlot bare;
    bare.resize(1200, 700);
    bare.show();
    bare.yAxis->setRange(-12, 12);

    // The bare chart gets the very points the dynamic drawing walks, prepared beforehand.
    std::vector<QVector<double>> values(kChannels, QVector<double>(kRecords - 1));
    QVector<double> keys(kRecords - 1);
    for (int k = 0; k < kRecords - 1; ++k) {
        keys[k] = k;
        const Tabela& record = records[static_cast<std::size_t>((current + k) % kRecords)];
        for (int n = 0; n < kChannels; ++n) {
            values[static_cast<std::size_t>(n)][k] = record.values[inputOf(n) - 1];
        }
    }
    for (int n = 0; n < kChannels; ++n) {
        bare.addGraph();
    }

    std::vector<double> chartMs;
    std::vector<double> drawMs;
    std::vector<double> bareMs;
    for (int run = 0; run < kRuns; ++run) {
        double t = threadCpuMs();
        chart.rysowanieD(view, settings, std::nullopt);
        drawMs.push_back(threadCpuMs() - t);
        chart.replot(QCustomPlot::rpImmediateRefresh);
        chartMs.push_back(threadCpuMs() - t);

        t = threadCpuMs();
        for (int n = 0; n < kChannels; ++n) {
            bare.graph(n)->setData(keys, values[static_cast<std::size_t>(n)], true);
        }
        bare.xAxis->rescale();
        bare.replot(QCustomPlot::rpImmediateRefresh);
        bareMs.push_back(threadCpuMs() - t);
    }
    const double chartMedian = median(chartMs);
    const double bareMedian = median(bareMs);
    std::printf("points per tick: %zu (thread CPU times, medians of %d runs)\n", chart.pointCount(),
                kRuns);
    std::printf("rysowanieD alone: %.2f ms\n", median(drawMs));
    std::printf("bare setData + replot: %.2f ms\n", bareMedian);
    std::printf("rysowanieD + replot: %.2f ms, ratio %.3f (target <= 0.25; <= 40 ms)\n",
                chartMedian, chartMedian / bareMedian);
    const double differing = korvanta::benchmarks::summaryPixelDifference(chart, 1600, 900);
    std::printf("pixels differing from drawing every point at 1600 x 900: %.3f %%, ratio %.3f "
                "(target <= 0.5 %%)\n",
                differing, differing / 0.5);
    std::printf("bytes per point, labels included: %.2f\n",
                static_cast<double>(chart.pointStorageBytes()) /
                    static_cast<double>(chart.pointCount()));
    return 0;
}
