#pragma once
// One 144-byte sample record of the data table.

#include <cstddef>
#include <cstdint>

namespace korvanta::acquisition {

struct Tabela {
    static constexpr int kInputCount = 32;

    double timeStamp;            // day number on the acquisition program's clock
    float values[kInputCount]{}; // input k (1..32) is values[k - 1]
    std::uint32_t link = 0;      // list link, not interpreted in the shared table
    std::uint32_t padding = 0;

    // A fresh record has all values and the link 0; the time stamp is not set.
    Tabela() {} // NOLINT(cppcoreguidelines-pro-type-member-init)
};

static_assert(sizeof(Tabela) == 144);
static_assert(offsetof(Tabela, timeStamp) == 0);
static_assert(offsetof(Tabela, values) == 8);
static_assert(offsetof(Tabela, link) == 136);

} // namespace korvanta::acquisition
