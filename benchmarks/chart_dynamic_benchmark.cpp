// The dynamic drawing of the whole data table: 64 series x 60,000 records redrawn and replotted,
// against a bare QCustomPlot given the same points with setData.

#include "bench_timing.h"
#include "chart/ui/monitor_chart.h"

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
using korvanta::benchmarks::Clock;
using korvanta::benchmarks::median;
using korvanta::benchmarks::millisecondsSince;
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
        auto t = Clock::now();
        chart.rysowanieD(view, settings, std::nullopt);
        drawMs.push_back(millisecondsSince(t));
        chart.replot(QCustomPlot::rpImmediateRefresh);
        chartMs.push_back(millisecondsSince(t));

        t = Clock::now();
        for (int n = 0; n < kChannels; ++n) {
            bare.graph(n)->setData(keys, values[static_cast<std::size_t>(n)], true);
        }
        bare.xAxis->rescale();
        bare.replot(QCustomPlot::rpImmediateRefresh);
        bareMs.push_back(millisecondsSince(t));
    }
    const double chartMedian = median(chartMs);
    const double bareMedian = median(bareMs);
    std::printf("points per tick: %zu\n", chart.pointCount());
    std::printf("rysowanieD alone: %.2f ms\n", median(drawMs));
    std::printf("rysowanieD + replot: Chart1 %.2f ms, bare setData + replot %.2f ms, ratio %.2f "
                "(target <= 1.30)\n",
                chartMedian, bareMedian, chartMedian / bareMedian);
    std::printf("bytes per point, labels included: %.2f\n",
                static_cast<double>(chart.pointStorageBytes()) /
                    static_cast<double>(chart.pointCount()));
    return 0;
}
