#pragma once
// The bytes each field of a raw record takes, and a compile-time check that the fields fit
// together inside the record.

#include "acquisition/settings_field.h"

#include <cstddef>
#include <span>

namespace korvanta::acquisition {

// Byte offsets [begin, end) of a record.
struct ByteRange {
    std::size_t begin;
    std::size_t end;

    constexpr bool overlaps(ByteRange other) const {
        return begin < other.end && other.begin < end;
    }
    friend constexpr bool operator==(const ByteRange&, const ByteRange&) = default;
};

// Where a field lies: its span from its base, and the bytes within it that its accessors read
// and write (an array leaves the elements below `first` to whatever else lies there).
struct FieldExtent {
    ByteRange span;
    ByteRange used;

    friend constexpr bool operator==(const FieldExtent&, const FieldExtent&) = default;
};

template <typename T> constexpr FieldExtent extentOf(const ScalarField<T>& field) {
    const ByteRange bytes{field.offset, field.offset + field.size};
    return {bytes, bytes};
}

constexpr FieldExtent extentOf(const TextField& field) {
    const ByteRange bytes{field.offset, field.offset + field.size};
    return {bytes, bytes};
}

template <typename Element> constexpr FieldExtent extentOf(const ArrayField<Element>& array) {
    const std::size_t end = array.at(array.last).offset + array.base.size;
    return {{array.base.offset, end}, {array.at(array.first).offset, end}};
}

// Two fields whose spans the record deliberately lets overlap.
struct IntendedOverlap {
    FieldExtent one;
    FieldExtent other;

    constexpr bool isBetween(const FieldExtent& a, const FieldExtent& b) const {
        return (one == a && other == b) || (one == b && other == a);
    }
};

constexpr bool isIntended(const FieldExtent& a, const FieldExtent& b,
                          std::span<const IntendedOverlap> intended) {
    for (const IntendedOverlap& overlap : intended) {
        if (overlap.isBetween(a, b)) {
            return true;
        }
    }
    return false;
}

// No two fields share a byte they use, and two spans overlap only where that is intended.
constexpr bool fitTogether(const FieldExtent& a, const FieldExtent& b,
                           std::span<const IntendedOverlap> intended) {
    if (a.used.overlaps(b.used)) {
        return false;
    }
    return !a.span.overlaps(b.span) || isIntended(a, b, intended);
}

// True when every field lies inside a record of `recordSize` bytes, every two fields fit
// together, and every intended overlap really is one (so the list cannot go stale).
constexpr bool fieldsFitTogether(std::span<const FieldExtent> fields,
                                 std::span<const IntendedOverlap> intended,
                                 std::size_t recordSize) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].span.end > recordSize) {
            return false;
        }
        for (std::size_t j = i + 1; j < fields.size(); ++j) {
            if (!fitTogether(fields[i], fields[j], intended)) {
                return false;
            }
        }
    }
    for (const IntendedOverlap& overlap : intended) {
        if (!overlap.one.span.overlaps(overlap.other.span)) {
            return false;
        }
    }
    return true;
}

} // namespace korvanta::acquisition
