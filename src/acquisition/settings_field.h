#pragma once
// Typed descriptors of the fields of a raw record: where a field lies and how its bytes read.

#include "acquisition/byte_fields.h"
#include "common/cp1250.h"

#include <QString>
#include <cstddef>
#include <type_traits>

namespace korvanta::acquisition {

// A value of type T at a fixed offset. A bool is one byte: 0 is off, any other byte is on, and
// on is written as 1.
template <typename T> struct ScalarField {
    using Value = T;
    static constexpr std::size_t size = sizeof(T);
    static_assert(size == 1 || !std::is_same_v<T, bool>, "a flag is one byte");

    std::size_t offset;

    T read(const unsigned char* record) const {
        if constexpr (std::is_same_v<T, bool>) {
            return record[offset] != 0;
        } else {
            return readField<T>(record, offset);
        }
    }
    void write(unsigned char* record, T value) const {
        if constexpr (std::is_same_v<T, bool>) {
            record[offset] = value ? 1 : 0;
        } else {
            writeField(record, offset, value);
        }
    }
};

// A NUL-terminated code page 1250 text in a field of `size` bytes, cut to fit when written.
struct TextField {
    using Value = QString;

    std::size_t offset;
    std::size_t size;

    QString read(const unsigned char* record) const {
        return common::readFixedText(record + offset, size);
    }
    void write(unsigned char* record, const QString& value) const {
        common::writeFixedText(record + offset, size, value);
    }
};

// Elements first..last of an array whose element i lies at base.offset + stride × i. Indices
// outside that range are no elements: they read as the value type's zero and are never written,
// so an element 0 below `first` may be another field of the record.
template <typename Element> struct ArrayField {
    using Value = typename Element::Value;

    Element base; // element 0
    std::size_t stride;
    int first;
    int last;

    constexpr bool contains(int index) const { return index >= first && index <= last; }
    constexpr Element at(int index) const {
        Element element = base;
        element.offset += stride * static_cast<std::size_t>(index);
        return element;
    }
};

// An array of back-to-back elements, the first at `base`.
template <typename Element>
constexpr ArrayField<Element> packedArray(Element base, int first, int last) {
    return {base, base.size, first, last};
}

} // namespace korvanta::acquisition
