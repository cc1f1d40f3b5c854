#include "monitor/walk_sums.h"

#include "monitor/backward_walk.h"
#include "monitor/vector_lanes.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace korvanta::monitor {
namespace {

using acquisition::Tabela;

constexpr std::size_t kInputs = Tabela::kInputCount;
constexpr int kBlock = 128; // records summed in one go: they stay in the first-level cache

// Adds the inputs of a run of records to the sums, each input in the walk's order. Eight vectors
// of sums at a time, so that they stay in registers: all 32 inputs with four lanes, half of them
// with two, each half over the same block of records.
template <typename V>
[[gnu::always_inline]] inline void addRun(const Tabela* top, int length, WalkSums::Sums& sums) {
    using Floats = typename LaneCompanions<V>::Floats;
    constexpr std::size_t w = kLaneWidth<V>;
    constexpr std::size_t kVectors = 8;
    constexpr std::size_t kPerPass = kVectors * w;
    for (int done = 0; done < length; done += kBlock) {
        const int count = std::min(kBlock, length - done);
        for (std::size_t base = 0; base < kInputs; base += kPerPass) {
            std::array<V, kVectors> acc;
            std::memcpy(acc.data(), &sums[base], sizeof acc);
            const Tabela* record = top - done;
            for (int v = 0; v < count; ++v, --record) {
                for (std::size_t h = 0; h < kVectors; ++h) {
                    Floats f;
                    std::memcpy(&f, record->values + base + h * w, sizeof f);
                    acc[h] = acc[h] + __builtin_convertvector(f, V);
                }
            }
            std::memcpy(&sums[base], acc.data(), sizeof acc);
        }
    }
}

template <typename V>
[[gnu::always_inline]] inline void walkWith(const acquisition::TickView& tick,
                                            std::span<const std::int64_t> counts,
                                            std::vector<WalkSums::Sums>& out) {
    WalkSums::Sums sums{};
    std::int64_t walked = 0;
    for (const std::int64_t count : counts) {
        walkBackRuns(tick, walked, count, [&](int first, int length) [[gnu::always_inline]] {
            addRun<V>(&tick.table.record(first), length, sums);
        });
        walked = count;
        out.push_back(sums);
    }
}

#ifdef KORVANTA_WIDE_LANES
KORVANTA_WIDE_TARGET void walkWide(const acquisition::TickView& tick,
                                   std::span<const std::int64_t> counts,
                                   std::vector<WalkSums::Sums>& out) {
    walkWith<WideLanes>(tick, counts, out);
}
#endif

} // namespace

WalkSums::WalkSums(const acquisition::TickView& tick, std::span<const std::int64_t> visitCounts) {
    for (const std::int64_t count : visitCounts) {
        m_counts.push_back(std::max<std::int64_t>(count, 0));
    }
    std::sort(m_counts.begin(), m_counts.end());
    m_counts.erase(std::unique(m_counts.begin(), m_counts.end()), m_counts.end());
#ifdef KORVANTA_WIDE_LANES
    if (wideLanesAvailable()) {
        walkWide(tick, m_counts, m_sums);
        return;
    }
#endif
    walkWith<NarrowLanes>(tick, m_counts, m_sums);
}

const WalkSums::Sums& WalkSums::at(std::int64_t visits) const {
    const auto it =
        std::lower_bound(m_counts.begin(), m_counts.end(), std::max<std::int64_t>(visits, 0));
    return m_sums[static_cast<std::size_t>(it - m_counts.begin())];
}

} // namespace korvanta::monitor
