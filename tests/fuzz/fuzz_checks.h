#pragma once
// The checks the fuzz targets share: a broken invariant aborts, which libFuzzer reports as a
// crash and keeps the input.

#include <QChar>
#include <cstdlib>

namespace korvanta::fuzz {

inline void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

inline bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace korvanta::fuzz
