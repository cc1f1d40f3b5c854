#pragma once
// The sums of all 32 inputs along the backward walk, taken at chosen visit counts, so that every
// mean of a tick (whole buffer, N - 1 records, windows of L records) comes from one walk.

#include "acquisition/tabela.h"
#include "acquisition/tick_view.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace korvanta::monitor {

class WalkSums {
public:
    using Sums = std::array<double, acquisition::Tabela::kInputCount>;

    // Walks as far as the largest of `visitCounts`; counts of 0 or less give zero sums.
    WalkSums(const acquisition::TickView& tick, std::span<const std::int64_t> visitCounts);

    // The sums of the first `visits` visits of the walk, one of the counts asked for, each input
    // summed in the walk's order (so equal, bit for bit, to a walk over that input alone).
    const Sums& at(std::int64_t visits) const;

private:
    std::vector<std::int64_t> m_counts; // ascending, distinct
    std::vector<Sums> m_sums;           // m_sums[j] after m_counts[j] visits
};

} // namespace korvanta::monitor
