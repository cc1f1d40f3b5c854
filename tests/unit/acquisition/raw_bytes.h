#pragma once
// Little-endian byte images of values and a check that a write changed exactly one byte range.

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>

namespace korvanta::testing {

// Spelled out byte by byte so that the expectation does not rest on the code's memcpy.
inline QByteArray le32(std::uint32_t v) {
    QByteArray b;
    for (int i = 0; i < 4; ++i) {
        b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
    return b;
}

inline QByteArray le64(std::uint64_t v) {
    QByteArray b;
    for (int i = 0; i < 8; ++i) {
        b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
    return b;
}

// IEEE 754 bit patterns worked out by hand for the values the tests use.
inline QByteArray f32Bits(std::uint32_t bits) {
    return le32(bits);
}
inline QByteArray f64Bits(std::uint64_t bits) {
    return le64(bits);
}

// Every byte of [offset, offset + expected.size()) equals `expected`; every other byte of the
// block is as in `before`.
inline ::testing::AssertionResult onlyRangeChanged(const unsigned char* before,
                                                   const unsigned char* after, std::size_t size,
                                                   std::size_t offset, const QByteArray& expected) {
    const std::size_t end = offset + static_cast<std::size_t>(expected.size());
    for (std::size_t i = 0; i < size; ++i) {
        const bool inside = i >= offset && i < end;
        const auto want =
            inside ? static_cast<unsigned char>(expected[static_cast<qsizetype>(i - offset)])
                   : before[i];
        if (after[i] != want) {
            return ::testing::AssertionFailure()
                   << "byte " << i << " is 0x" << std::hex << int(after[i]) << ", expected 0x"
                   << int(want) << (inside ? " (written range)" : " (outside the written range)");
        }
    }
    return ::testing::AssertionSuccess();
}

// `text` bytes followed by NULs up to `size`.
inline QByteArray fixedText(const QByteArray& text, int size) {
    QByteArray b = text;
    b.resize(size, '\0');
    return b;
}

} // namespace korvanta::testing
