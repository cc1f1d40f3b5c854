#pragma once
// The file benchmarks' measurement file, a date, a time and 16 values a line, and their
// yardstick: one bare pass that reads a file in blocks, cuts it into words and converts every
// word with std::from_chars, and nothing else.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <charconv>
#include <cstddef>
#include <cstdio>

namespace korvanta::benchmarks {

inline constexpr int kDataFileValues = 16;

// Writes `lines` data lines after a header naming k1..k16, line by line, so that no buffer of the
// file's size shapes the heap before the runs. False when the file cannot be written.
inline bool writeDataFile(const QString& path, int lines) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    QByteArray header = "pomiar";
    for (int k = 1; k <= kDataFileValues; ++k) {
        header += " k" + QByteArray::number(k) + ' ';
    }
    file.write(header + "\r\n");
    char line[256];
    for (int i = 0; i < lines; ++i) {
        const int ms = i * 100;
        int n = std::snprintf(line, sizeof line, "2026-07-12 %02d:%02d:%02d.%03d", ms / 3600000,
                              ms / 60000 % 60, ms / 1000 % 60, ms % 1000);
        for (int k = 0; k < kDataFileValues; ++k) {
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

inline bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Returns the sum of the values, so that nothing is left out; counts the words into `words`.
inline double barePass(const QString& path, std::size_t* words = nullptr) {
    constexpr qint64 kBlock = qint64(1) << 20;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        return 0;
    }
    QByteArray block(kBlock, Qt::Uninitialized);
    double sum = 0;
    std::size_t count = 0;
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
            count += p > start ? 1 : 0;
        }
    }
    if (words != nullptr) {
        *words += count;
    }
    return sum;
}

} // namespace korvanta::benchmarks
