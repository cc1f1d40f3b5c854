// Opening a measurement file onto the chart: a file of 1,000,000 lines with a date, a time and 16
// values is loaded, drawn into the 64-series chart, scaled and replotted offscreen. The yardstick
// is the bare pass of the load benchmark: the same blocks read, cut into words, every word
// converted with std::from_chars. Also the heap the chart holds per loaded value, and the text
// view of the same file.

#include "acquisition/settings_record.h"
#include "bench_timing.h"
#include "chart/ui/monitor_chart.h"
#include "files/data_file_loader.h"
#include "files/raw_text.h"
#include "files/ui/text_view_fill.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <malloc.h>
#include <vector>

namespace {

using korvanta::benchmarks::Clock;
using korvanta::benchmarks::median;
using korvanta::benchmarks::millisecondsSince;
using korvanta::chart::ui::FileSeries;
using korvanta::chart::ui::MonitorChart;

constexpr int kLines = 1'000'000;
constexpr int kValues = 16;
constexpr int kRuns = 7;
constexpr qint64 kBlock = qint64(1) << 20;

// This thread's CPU time: on a machine shared with other work, the wall clock also counts the
// time others took.
double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Written line by line, so that no buffer of the file's size shapes the heap before the runs.
bool writeDataFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    QByteArray header = "Opis";
    for (int k = 1; k <= kValues; ++k) {
        header += " k" + QByteArray::number(k) + ' ';
    }
    file.write(header + "\r\n");
    char line[256];
    for (int i = 0; i < kLines; ++i) {
        const int ms = i * 100;
        int n = std::snprintf(line, sizeof line, "2024-05-06 %02d:%02d:%02d.%03d", ms / 3600000,
                              ms / 60000 % 60, ms / 1000 % 60, ms % 1000);
        for (int k = 0; k < kValues; ++k) {
            n += std::snprintf(line + n, sizeof line - static_cast<std::size_t>(n), " %.3f",
                               100 * std::sin(i * 0.001 + k) + k);
        }
        n += std::snprintf(line + n, sizeof line - static_cast<std::size_t>(n), "\r\n");
        if (file.write(line, n) != n) {
            return false;
        }
    }
    return true;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The yardstick: the file read in blocks, cut into words, every word converted. Returns the sum
// of the values so nothing is left out.
double barePass(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        return 0;
    }
    QByteArray block(kBlock, Qt::Uninitialized);
    double sum = 0;
    qint64 n = 0;
    while ((n = file.read(block.data(), kBlock)) > 0) {
        const char* p = block.constData();
        const char* end = p + n;
        while (p < end) {
            while (p < end && isBlank(*p)) {
                ++p;
            }
            const char* start = p;
            while (p < end && !isBlank(*p)) {
                ++p;
            }
            float value = 0;
            if (std::from_chars(start, p, value).ec == std::errc()) {
                sum += value;
            }
        }
    }
    return sum;
}

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
};

// Open to chart drawn, as the Open command does it: load, fill the series, scale, replot.
bool openFile(MonitorChart& chart, const QString& path, const Settings& settings,
              OpenSteps& steps) {
    double start = cpuMs();
    auto loaded = korvanta::files::loadDataFile(path);
    if (!loaded || loaded.value().dataLines != kLines) {
        return false;
    }
    double now = cpuMs();
    steps.load = now - start;
    start = now;
    chart.showFile(std::move(loaded.value()), settings.record, FileSeries::All);
    now = cpuMs();
    steps.fill = now - start;
    start = now;
    chart.scaleToData(settings.record, false);
    chart.replot(QCustomPlot::rpImmediateRefresh);
    steps.draw = cpuMs() - start;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pomiar.dan"));
    if (!dir.isValid() || !writeDataFile(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    const Settings settings;
    MonitorChart chart;
    chart.resize(1200, 700);
    chart.show();

    std::vector<double> openMs;
    std::vector<double> bareMs;
    std::vector<double> ratios;
    std::vector<double> openWallMs;
    std::vector<double> loadMs;
    std::vector<double> fillMs;
    std::vector<double> drawMs;
    OpenSteps steps;
    double checksum = barePass(path); // brings the file into the page cache
    for (int run = 0; run < kRuns; ++run) {
        double start = cpuMs();
        checksum += barePass(path);
        bareMs.push_back(cpuMs() - start);

        const auto wall = Clock::now();
        start = cpuMs();
        if (!openFile(chart, path, settings, steps)) {
            std::fprintf(stderr, "cannot load %s\n", qPrintable(path));
            return 1;
        }
        openMs.push_back(cpuMs() - start);
        loadMs.push_back(steps.load);
        fillMs.push_back(steps.fill);
        drawMs.push_back(steps.draw);
        openWallMs.push_back(millisecondsSince(wall));
        ratios.push_back(openMs.back() / bareMs.back());
    }

    // The heap the chart holds for the file: the series emptied by a file without data lines
    // first, the file opened again.
    chart.showFile(korvanta::files::LoadedFile{}, settings.record, FileSeries::All);
    malloc_trim(0);
    const std::size_t before = heapInUse();
    if (!openFile(chart, path, settings, steps)) {
        return 1;
    }
    const double heldPerValue =
        static_cast<double>(heapInUse() - before) / static_cast<double>(chart.pointCount());
    const double countedPerValue =
        static_cast<double>(chart.pointStorageBytes()) / static_cast<double>(chart.pointCount());

    std::printf("file: %d lines of a date, a time and %d values, %.1f MB, checksum %.0f\n", kLines,
                kValues, static_cast<double>(QFile(path).size()) / 1e6, checksum);
    std::printf("median of %d runs, thread CPU time (the ratio: median of each run's open over "
                "its bare pass); bare pass %.0f ms; open wall clock %.0f ms\n",
                kRuns, median(bareMs), median(openWallMs));
    std::printf("first open, its memory touched for the first time: %.0f ms\n", openMs.front());
    std::printf(
        "steps: loadDataFile %.0f ms, series filled %.0f ms, scaled and replotted %.0f ms\n",
        median(loadMs), median(fillMs), median(drawMs));
    std::printf("open to chart drawn: %.0f ms, ratio %.2f (target <= 2.0)\n", median(openMs),
                median(ratios));
    std::printf("bytes per loaded value in the chart, labels included: %.2f B (target <= 20)\n",
                heldPerValue);
    std::printf("bytes per value as the chart counts them: %.2f B, %zu values\n", countedPerValue,
                chart.pointCount());

    // The text view of the same file, which the double click in the file list fills as well.
    double start = cpuMs();
    const auto raw = korvanta::files::readRawText(path);
    const double readMs = cpuMs() - start;
    QPlainTextEdit view;
    start = cpuMs();
    korvanta::files::ui::fillTextView(view, raw.value().text, {});
    std::printf("text view, thread CPU time: file read %.0f ms, view filled %.0f ms, %d lines\n",
                readMs, cpuMs() - start, view.blockCount());
    return 0;
}
