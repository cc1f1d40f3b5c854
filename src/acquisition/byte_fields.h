#pragma once
// Little-endian fields at byte offsets of a raw block (the shared blocks and the settings record).

#include <cstddef>
#include <cstring>
#include <type_traits>

namespace korvanta::acquisition {

template <typename T> T readField(const unsigned char* base, std::size_t offset) {
    static_assert(std::is_trivially_copyable_v<T>);
    T value;
    std::memcpy(&value, base + offset, sizeof(T));
    return value;
}

template <typename T> void writeField(unsigned char* base, std::size_t offset, T value) {
    static_assert(std::is_trivially_copyable_v<T>);
    std::memcpy(base + offset, &value, sizeof(T));
}

} // namespace korvanta::acquisition
