// Loading a day of measurements from a .dan file: 1,000,000 lines with a date, a time and 16
// values. The yardstick is one bare pass over the same file that only cuts it into words and
// converts them with std::from_chars. Timed against it: the core load alone (loadDataFile), and
// the whole open as the Open command does it, from the file to the 64-series chart drawn
// offscreen. Also the heap the chart holds per loaded value, labels included.

#include "acquisition/settings_record.h"
#include "bench_timing.h"
#include "chart/ui/monitor_chart.h"
#include "data_file.h"
#include "files/data_file_loader.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <charconv>
#include <cstdio>
#include <malloc.h>
#include <vector>

namespace {

using korvanta::benchmarks::barePass;
using korvanta::benchmarks::Clock;
using korvanta::benchmarks::median;
using korvanta::benchmarks::millisecondsSince;
using korvanta::benchmarks::threadCpuMs;
using korvanta::benchmarks::writeDataFile;
using korvanta::chart::ui::FileSeries;
using korvanta::chart::ui::MonitorChart;

constexpr int kLines = 1'000'000;
constexpr int kRuns = 9;

// Bytes the heap hands out, mapped blocks included.
std::size_t heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

struct Settings {
    Settings() {
        for (int c = 1; c <= MonitorChart::kSeriesCount; ++c) {
            record.setAddGraph(c, true);
            record.setSeriesColor(c, 0x00102030u * static_cast<std::uint32_t>(c % 7));
        }
    }
    korvanta::acquisition::SettingsRecord record;
};

// The thread CPU time of each step of one open.
struct OpenSteps {
    double load = 0;
    double fill = 0;
    double draw = 0;
    double total() const { return load + fill + draw; }
};

bool loadedWhole(const korvanta::common::Result<korvanta::files::LoadedFile>& loaded) {
    return loaded.ok() && loaded.value().dataLines == kLines;
}

// Open to chart drawn, as the Open command does it: load, fill the series, scale, replot.
bool openFile(MonitorChart& chart, const QString& path, const Settings& settings,
              OpenSteps& steps) {
    double start = threadCpuMs();
    auto loaded = korvanta::files::loadDataFile(path);
    if (!loadedWhole(loaded)) {
        return false;
    }
    double now = threadCpuMs();
    steps.load = now - start;
    start = now;
    chart.showFile(std::move(loaded.value()), settings.record, FileSeries::All);
    now = threadCpuMs();
    steps.fill = now - start;
    start = now;
    chart.scaleToData(settings.record, false);
    chart.replot(QCustomPlot::rpImmediateRefresh);
    steps.draw = threadCpuMs() - start;
    return true;
}

// The samples of every run, each timed in this thread's CPU time.
struct Runs {
    std::vector<double> bare;
    std::vector<double> core;
    std::vector<double> open;
    std::vector<double> coreRatio;
    std::vector<double> openRatio;
    std::vector<double> openWall;
    std::vector<double> load;
    std::vector<double> fill;
    std::vector<double> draw;
};

// One repetition: the bare pass, the core load alone, then the open to the chart drawn, each
// ratio taken against the bare pass of the same repetition.
bool runOnce(MonitorChart& chart, const QString& path, const Settings& settings, Runs& runs,
             double& checksum) {
    double start = threadCpuMs();
    checksum += barePass(path);
    runs.bare.push_back(threadCpuMs() - start);

    start = threadCpuMs();
    if (!loadedWhole(korvanta::files::loadDataFile(path))) {
        return false;
    }
    runs.core.push_back(threadCpuMs() - start);

    OpenSteps steps;
    const auto wall = Clock::now();
    if (!openFile(chart, path, settings, steps)) {
        return false;
    }
    runs.openWall.push_back(millisecondsSince(wall));
    runs.open.push_back(steps.total());
    runs.load.push_back(steps.load);
    runs.fill.push_back(steps.fill);
    runs.draw.push_back(steps.draw);
    runs.coreRatio.push_back(runs.core.back() / runs.bare.back());
    runs.openRatio.push_back(runs.open.back() / runs.bare.back());
    return true;
}

// The heap the chart holds for the file per loaded value: the series emptied by a file without
// data lines first, the file opened again. Returns 0 when the open fails.
double heldBytesPerValue(MonitorChart& chart, const QString& path, const Settings& settings) {
    chart.showFile(korvanta::files::LoadedFile{}, settings.record, FileSeries::All);
    malloc_trim(0);
    const std::size_t before = heapInUse();
    OpenSteps steps;
    if (!openFile(chart, path, settings, steps)) {
        return 0;
    }
    return static_cast<double>(heapInUse() - before) / static_cast<double>(chart.pointCount());
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pomiar.dan"));
    if (!dir.isValid() || !writeDataFile(path, kLines)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    const Settings settings;
    MonitorChart chart;
    chart.resize(1200, 700);
    chart.show();

    Runs runs;
    double checksum = barePass(path); // brings the file into the page cache
    for (int run = 0; run < kRuns; ++run) {
        if (!runOnce(chart, path, settings, runs, checksum)) {
            std::fprintf(stderr, "cannot load %s\n", qPrintable(path));
            return 1;
        }
    }
    const double bytesPerValue = heldBytesPerValue(chart, path, settings);
    if (bytesPerValue == 0) {
        std::fprintf(stderr, "cannot load %s\n", qPrintable(path));
        return 1;
    }

    std::printf("file: %d lines of a date, a time and %d values, %.1f MB, checksum %.0f\n", kLines,
                korvanta::benchmarks::kDataFileValues,
                static_cast<double>(QFile(path).size()) / 1e6, checksum);
    std::printf("median of %d repetitions, thread CPU time; each ratio is the median of the "
                "repetitions' own ratios to their bare pass\n",
                kRuns);
    std::printf("bare pass (words cut, std::from_chars): %.0f ms\n", median(runs.bare));
    std::printf("steps of the open: loadDataFile %.0f ms, series filled %.0f ms, scaled and "
                "replotted %.0f ms; open wall clock %.0f ms\n",
                median(runs.load), median(runs.fill), median(runs.draw), median(runs.openWall));
    std::printf("core load (loadDataFile): %.0f ms, ratio %.2f (target <= 2.0)\n",
                median(runs.core), median(runs.coreRatio));
    std::printf("open to chart drawn: %.0f ms, ratio %.2f (target <= 2.0)\n", median(runs.open),
                median(runs.openRatio));
    // The yardstick of memory is the bare float of each value: 20 bytes are 5 floats.
    std::printf("bytes per loaded value in the chart, labels included, against a 4-byte float: "
                "%.2f B, ratio %.2f (target <= 5.0)\n",
                bytesPerValue, bytesPerValue / sizeof(float));
    return 0;
}
