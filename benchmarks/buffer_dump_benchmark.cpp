// Times the buffer dump of a 60,000-record table with 32 inputs in use, written to a file,
// against a bare loop that formats the same numbers into one memory buffer with std::to_chars.

#include "acquisition/control_block.h"
#include "acquisition/settings_record.h"
#include "acquisition/tick_view.h"
#include "bench_timing.h"
#include "monitor/buffer_dump.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <array>
#include <benchmark/benchmark.h>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

namespace {

using namespace korvanta;

constexpr int kRecords = 60000;
constexpr int kInputs = 32;
constexpr int kCurrentIndex = 23457;
constexpr double kSamplePeriod = 1.0 / 86400000.0; // 1 ms in days
constexpr int kRuns = 9;

double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1.0e6;
}

struct Table {
    std::vector<acquisition::Tabela> records = std::vector<acquisition::Tabela>(kRecords);
    std::array<unsigned char, acquisition::ControlBlock::kSize> block{};

    Table() {
        acquisition::ControlBlock c(block.data());
        c.setChannelCount(kInputs);
        c.setRecordCount(kRecords);
        c.setCurrentIndex(kCurrentIndex);
        c.setSamplePeriod(kSamplePeriod);
        for (int j = 0; j < kRecords; ++j) {
            const int age = (j - kCurrentIndex + kRecords) % kRecords;
            acquisition::Tabela& r = records[static_cast<std::size_t>(j)];
            r.timeStamp = 46215.5 + age * kSamplePeriod;
            for (int m = 0; m < kInputs; ++m) {
                r.values[m] = static_cast<float>(
                    (m + 1) * 10.0 * std::sin(2 * M_PI * 50 * age / 1000.0 + m) - 3.0 * m);
            }
        }
    }

    acquisition::TickView view() {
        acquisition::ControlBlock c(block.data());
        return acquisition::TickView{c, acquisition::DataTable(records.data(), kRecords),
                                     kCurrentIndex, kSamplePeriod};
    }
};

// The yardstick: each line's elapsed milliseconds and its 32 values, as the dump lays them out,
// formatted with std::to_chars into one buffer that is reused.
double bareLoopMs(const Table& table, std::vector<char>& buffer) {
    const double start = cpuMs();
    char* out = buffer.data();
    const double t0 = table.records[kCurrentIndex].timeStamp;
    for (int k = 0; k < kRecords; ++k) {
        const acquisition::Tabela& r =
            table.records[static_cast<std::size_t>((kCurrentIndex + k) % kRecords)];
        out = std::to_chars(out, out + 32, std::llround((r.timeStamp - t0) * 86400000.0)).ptr;
        for (int m = 0; m < kInputs; ++m) {
            *out++ = ' ';
            out = std::to_chars(out, out + 64, r.values[m], std::chars_format::fixed, 4).ptr;
        }
        *out++ = '\r';
        *out++ = '\n';
    }
    benchmark::DoNotOptimize(out);
    benchmark::ClobberMemory();
    return cpuMs() - start;
}

} // namespace

int main() {
    Table table;
    const acquisition::TickView view = table.view();
    auto settings = std::make_unique<acquisition::SettingsRecord>();
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::printf("no temporary directory\n");
        return 1;
    }
    QDir::setCurrent(dir.path());
    std::vector<char> buffer(static_cast<std::size_t>(kRecords) * (kInputs + 1) * 24);

    std::vector<double> dumpTimes;
    std::vector<double> bareTimes;
    std::vector<double> dumpWallTimes;
    qint64 bytes = 0;
    for (int run = 0; run < kRuns; ++run) {
        bareTimes.push_back(bareLoopMs(table, buffer));
        const double start = cpuMs();
        const auto wallStart = benchmarks::Clock::now();
        const monitor::BufferDumpResult dump = monitor::ZapiszBuforJakoPlikTekstowy(
            view, *settings, {46215.5, QStringLiteral("dynamic/"), 'A', 1.0F, {}});
        dumpTimes.push_back(cpuMs() - start);
        dumpWallTimes.push_back(benchmarks::millisecondsSince(wallStart));
        if (dump.failed()) {
            std::printf("dump failed: %s\n", qPrintable(dump.failure));
            return 1;
        }
        bytes = QFileInfo(dump.path).size();
        QFile::remove(dump.path);
    }
    const double dumpMs = benchmarks::median(dumpTimes);
    const double bareMs = benchmarks::median(bareTimes);
    std::printf("table: %d records x %d inputs, median of %d runs, thread CPU time\n", kRecords,
                kInputs, kRuns);
    std::printf("bare std::to_chars loop into memory: %.2f ms\n", bareMs);
    std::printf("dump file: %.1f MB, %.2f ms wall clock\n", static_cast<double>(bytes) / 1.0e6,
                benchmarks::median(dumpWallTimes));
    std::printf("buffer dump to file: %.2f ms, ratio %.2f (target <= 1.5)\n", dumpMs,
                dumpMs / bareMs);
    return 0;
}
