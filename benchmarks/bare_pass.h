#pragma once
// The yardstick of the file benchmarks: one bare pass that reads a file in blocks, cuts it into
// words and converts every word with std::from_chars, and nothing else.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <charconv>
#include <cstddef>

namespace korvanta::benchmarks {

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
