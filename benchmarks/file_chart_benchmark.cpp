// Opening a measurement file onto the chart: a file of 1,000,000 lines with a date, a time and 16
// values is loaded, drawn into the 64-series chart, scaled and replotted offscreen, against a bare
// pass that splits the same file into words and converts the values with std::from_chars.

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

// This thread's CPU time: on a machine shared with other work, the wall clock also counts the
// time others took.
double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

bool writeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    QByteArray text = "Opis";
    for (int k = 1; k <= kValues; ++k) {
        text += " k" + QByteArray::number(k) + ' ';
    }
    text += "\r\n";
    char line[512];
    for (int i = 0; i < kLines; ++i) {
        const int ms = i * 100;
        int n = std::snprintf(line, sizeof line, "2024-05-06 %02d:%02d:%02d.%03d",
                              ms / 3600000 % 24, ms / 60000 % 60, ms / 1000 % 60, ms % 1000);
        for (int k = 0; k < kValues; ++k) {
            n += std::snprintf(line + n, sizeof line - static_cast<std::size_t>(n), " %.3f",
                               100 * std::sin(i * 0.001 + k) + k);
        }
        text.append(line, n);
        text += "\r\n";
        if (text.size() > (8 << 20)) {
            file.write(text);
            text.clear();
        }
    }
    file.write(text);
    return true;
}

// The yardstick: the file mapped, cut into lines and words, every value word after the date and
// the time converted. Returns the sum of the values so nothing is left out.
double barePass(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const auto* begin = reinterpret_cast<const char*>(file.map(0, file.size()));
    if (begin == nullptr) {
        return 0;
    }
    const char* const end = begin + file.size();
    const auto blank = [](char c) {
        return c == ' ' || c == '\t' || c == '\r';
    };
    double sum = 0;
    for (const char* p = begin; p < end; ++p) {
        for (int word = 0; p < end && *p != '\n'; ++word) {
            while (p < end && blank(*p)) {
                ++p;
            }
            const char* start = p;
            while (p < end && !blank(*p) && *p != '\n') {
                ++p;
            }
            if (word >= 2 && p > start) {
                float value = 0;
                std::from_chars(start, p, value);
                sum += value;
            }
        }
    }
    return sum;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pomiar.dan"));
    if (!dir.isValid() || !writeFile(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    korvanta::acquisition::SettingsRecord settings;
    for (int c = 1; c <= MonitorChart::kSeriesCount; ++c) {
        settings.setAddGraph(c, true);
        settings.setSeriesColor(c, 0x00102030u * static_cast<std::uint32_t>(c % 7));
    }
    MonitorChart chart;
    chart.resize(1200, 700);
    chart.show();

    std::vector<double> openMs;
    std::vector<double> loadMs;
    std::vector<double> fillMs;
    std::vector<double> drawMs;
    std::vector<double> bareMs;
    std::vector<double> ratios;
    std::vector<double> openWallMs;
    std::vector<double> bareWallMs;
    double checksum = 0;
    for (int run = 0; run < kRuns; ++run) {
        auto wall = Clock::now();
        double cpu = threadCpuMs();
        checksum += barePass(path);
        bareMs.push_back(threadCpuMs() - cpu);
        bareWallMs.push_back(millisecondsSince(wall));

        wall = Clock::now();
        cpu = threadCpuMs();
        auto loaded = korvanta::files::loadDataFile(path);
        if (!loaded) {
            std::fprintf(stderr, "%s\n", qPrintable(loaded.reason()));
            return 1;
        }
        double step = threadCpuMs();
        loadMs.push_back(step - cpu);
        chart.showFile(std::move(loaded.value()), settings, FileSeries::All);
        fillMs.push_back(threadCpuMs() - step);
        step = threadCpuMs();
        chart.scaleToData(settings, false);
        chart.replot(QCustomPlot::rpImmediateRefresh);
        drawMs.push_back(threadCpuMs() - step);
        openMs.push_back(threadCpuMs() - cpu);
        openWallMs.push_back(millisecondsSince(wall));
        ratios.push_back(openMs.back() / bareMs.back());
    }
    std::printf("file: %d lines of a date, a time and %d values, %.1f MB (checksum %.0f)\n", kLines,
                kValues, static_cast<double>(QFile(path).size()) / 1e6, checksum);
    std::printf("thread CPU time, median of %d runs: bare split and from_chars pass %.0f ms; "
                "loadDataFile %.0f ms, series filled %.0f ms, scaled and replotted %.0f ms\n",
                kRuns, median(bareMs), median(loadMs), median(fillMs), median(drawMs));
    std::printf("wall clock: bare pass %.0f ms, open to chart drawn %.0f ms\n", median(bareWallMs),
                median(openWallMs));
    std::printf("open to chart drawn: %.0f ms, ratio %.2f (target <= 2.0)\n", median(openMs),
                median(ratios));
    const double perValue =
        static_cast<double>(chart.pointStorageBytes()) / static_cast<double>(chart.pointCount());
    std::printf("bytes per loaded value in the chart, labels included: %.2f B (target <= 20)\n",
                perValue);

    // The text view of the same file, which the double click in the file list fills as well.
    double cpu = threadCpuMs();
    const auto raw = korvanta::files::readRawText(path);
    const double readMs = threadCpuMs() - cpu;
    QPlainTextEdit memo;
    cpu = threadCpuMs();
    korvanta::files::ui::fillTextView(memo, raw.value().text, {});
    std::printf("text view (thread CPU time): file read %.0f ms, view filled %.0f ms, %d lines\n",
                readMs, threadCpuMs() - cpu, memo.blockCount());
    return 0;
}
