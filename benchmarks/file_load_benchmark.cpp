// Loading a day of measurements from a .dan file: 1,000,000 lines with a date, a time and 16
// values. Compares loadDataFile with one bare pass over the same file that only cuts it into
// words and converts them with std::from_chars, and counts the heap the loaded file holds.

#include "bench_timing.h"
#include "files/data_file_loader.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <charconv>
#include <cstdio>
#include <ctime>
#include <malloc.h>
#include <sys/mman.h>
#include <vector>

namespace {

using korvanta::benchmarks::median;

constexpr int kLines = 1000000;
constexpr int kValues = 16;
constexpr int kRuns = 5;
constexpr qint64 kBlock = qint64(1) << 20;

// Written line by line, so that no buffer of the file's size changes how the heap behaves
// before the loads are measured.
bool writeDataFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    file.write("pomiar k1  k2  k3  k4  k5  k6  k7  k8  k9  k10  k11  k12  k13  k14  k15  k16 \r\n");
    char line[256];
    for (int i = 0; i < kLines; ++i) {
        const int ms = i * 100;
        int n = std::snprintf(line, sizeof line, "2026-07-12 %02d:%02d:%02d.%03d", ms / 3600000,
                              ms / 60000 % 60, ms / 1000 % 60, ms % 1000);
        for (int k = 0; k < kValues; ++k) {
            const int raw = (i * 37 + k * 1013) % 200000 - 100000;
            n += std::snprintf(line + n, sizeof line - static_cast<std::size_t>(n), " %.3f",
                               raw / 1000.0);
        }
        n += std::snprintf(line + n, sizeof line - static_cast<std::size_t>(n), "\r\n");
        if (file.write(line, n) != n) {
            return false;
        }
    }
    return true;
}

// This thread's CPU time: the machine is shared, and time spent preempted would swamp the runs.
double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The yardstick: the same blocks read, cut into words, every word converted.
double barePass(const QString& path, std::size_t& words) {
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
            words += p > start ? 1 : 0;
        }
    }
    return sum;
}

// Bytes the heap hands out, mapped blocks included.
std::size_t heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// What first touching this many bytes of fresh memory in 4 KiB pages costs here: the loaded file
// is new memory the bare pass never asks for, and on a virtual machine each page fault can cost
// more than the parsing of the bytes that fill it.
double freshMemoryMs(std::size_t bytes) {
    constexpr std::size_t kPage = 4096;
    void* memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        return 0;
    }
    auto* bytesAt = static_cast<volatile char*>(memory);
    const double start = cpuMs();
    for (std::size_t i = 0; i < bytes; i += kPage) {
        bytesAt[i] = 1;
    }
    const double ms = cpuMs() - start;
    munmap(memory, bytes);
    return ms;
}

} // namespace

int main() {
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "no temporary directory\n");
        return 1;
    }
    const QString path = dir.filePath(QStringLiteral("pomiar.dan"));
    if (!writeDataFile(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    std::printf("file: %d lines x %d values, %.1f MB\n", kLines, kValues,
                static_cast<double>(QFileInfo(path).size()) / 1e6);

    std::vector<double> loadMs;
    std::vector<double> bareMs;
    std::size_t words = 0;
    double sum = barePass(path, words); // brings the file into the page cache
    for (int run = 0; run < kRuns; ++run) {
        double start = cpuMs();
        words = 0;
        sum += barePass(path, words);
        bareMs.push_back(cpuMs() - start);

        start = cpuMs();
        const auto loaded = korvanta::files::loadDataFile(path);
        loadMs.push_back(cpuMs() - start);
        if (!loaded.ok() || loaded.value().dataLines != kLines) {
            std::fprintf(stderr, "load failed\n");
            return 1;
        }
    }

    malloc_trim(0);
    const std::size_t before = heapInUse();
    const auto loaded = korvanta::files::loadDataFile(path);
    const std::size_t held = heapInUse() - before;
    std::size_t values = 0;
    for (const auto& column : loaded.value().columns) {
        values += column.values.size();
    }

    const double load = median(loadMs);
    const double bare = median(bareMs);
    std::printf("median of %d runs, thread CPU time\n", kRuns);
    std::printf("bare pass: %zu words, checksum %.0f, %.1f ms\n", words, sum, bare);
    std::printf("first touch of the loaded file's %.0f MB of fresh memory in 4 KiB pages: "
                "%.1f ms\n",
                static_cast<double>(held) / 1e6, freshMemoryMs(held));
    std::printf("loadDataFile: %.1f ms, ratio %.2f (target <= 2.0)\n", load, load / bare);
    // The yardstick of memory is the bare float of each value: 20 bytes are 5 floats.
    const double bytesPerValue = static_cast<double>(held) / static_cast<double>(values);
    std::printf("bytes per loaded value, labels included: %.2f B, ratio %.2f to a float "
                "(target <= 5.0)\n",
                bytesPerValue, bytesPerValue / sizeof(float));
    return 0;
}
