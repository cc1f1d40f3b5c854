// korvanta-cli on a day of measurements (1,000,000 lines with a date, a time and 16 values), each
// run timed as a whole process on the wall clock: `plot` to PNG against one bare pass over the
// same file that only cuts it into words and converts them with std::from_chars, and
// `spreadsheet` against sed doing the same conversion.

#include "bench_timing.h"
#include "data_file.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <charconv>
#include <cstdio>
#include <vector>

namespace {

using korvanta::benchmarks::barePass;
using korvanta::benchmarks::Clock;
using korvanta::benchmarks::median;
using korvanta::benchmarks::millisecondsSince;
using korvanta::benchmarks::writeDataFile;

constexpr int kLines = 1000000;
constexpr int kRuns = 3;
constexpr int kProcessTimeoutMs = 600000;

// Wall-clock milliseconds of one process run to its end; negative when it failed.
double runProcess(const QString& program, const QStringList& arguments,
                  const QString& standardOutput = {}) {
    QProcess process;
    if (!standardOutput.isEmpty()) {
        process.setStandardOutputFile(standardOutput);
    }
    const auto start = Clock::now();
    process.start(program, arguments);
    if (!process.waitForFinished(kProcessTimeoutMs) || process.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program),
                     process.readAllStandardError().constData());
        return -1;
    }
    return millisecondsSince(start);
}

// The median of kRuns runs after one that warms the page cache; negative when a run failed.
template <typename Run> double medianOfRuns(Run run) {
    if (run() < 0) {
        return -1;
    }
    std::vector<double> samples;
    for (int k = 0; k < kRuns; ++k) {
        const double ms = run();
        if (ms < 0) {
            return -1;
        }
        samples.push_back(ms);
    }
    return median(samples);
}

} // namespace

int main() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pomiar.dan"));
    if (!dir.isValid() || !writeDataFile(path, kLines)) {
        std::fprintf(stderr, "cannot write the data file\n");
        return 1;
    }
    std::printf("file: %d lines x %d values, %.1f MB; median of %d runs, wall clock\n", kLines,
                korvanta::benchmarks::kDataFileValues,
                static_cast<double>(QFileInfo(path).size()) / 1e6, kRuns);
    const QString cli = QStringLiteral(KORVANTA_CLI_PATH);

    std::size_t words = 0;
    double checksum = 0;
    const double bare = medianOfRuns([&] {
        const auto start = Clock::now();
        words = 0;
        checksum += barePass(path, &words);
        return millisecondsSince(start);
    });
    std::printf("bare pass: %zu words, checksum %.0f, %.1f ms\n", words, checksum, bare);
    const QString png = dir.filePath(QStringLiteral("wykres.png"));
    const double plot = medianOfRuns([&] {
        return runProcess(cli, {QStringLiteral("plot"), path, QStringLiteral("-o"), png});
    });
    if (plot < 0) {
        return 1;
    }
    std::printf("korvanta-cli plot to PNG (1600x900): %.1f ms, ratio %.2f (target <= 2.5)\n", plot,
                plot / bare);

    const QString sed = QStandardPaths::findExecutable(QStringLiteral("sed"));
    const double sedMs = medianOfRuns([&] {
        return runProcess(
            sed, {QStringLiteral("-E"), QStringLiteral("s/ +/\\t/g; s/\\./,/g; s/\\r$//"), path},
            dir.filePath(QStringLiteral("sed.txt")));
    });
    const QString copy = dir.filePath(QStringLiteral("arkusz.txt"));
    const double spreadsheet = medianOfRuns([&] {
        return runProcess(cli, {QStringLiteral("spreadsheet"), path, QStringLiteral("-o"), copy});
    });
    if (sedMs < 0 || spreadsheet < 0) {
        return 1;
    }
    std::printf("sed: %.1f ms\n", sedMs);
    std::printf("korvanta-cli spreadsheet: %.1f ms, ratio %.2f (target <= 1.0)\n", spreadsheet,
                spreadsheet / sedMs);
    QFile ours(copy);
    QFile theirs(dir.filePath(QStringLiteral("sed.txt")));
    if (ours.open(QIODevice::ReadOnly) && theirs.open(QIODevice::ReadOnly) &&
        ours.readAll() != theirs.readAll()) {
        std::printf("note: the copy differs from sed's output\n");
    }
    return 0;
}
