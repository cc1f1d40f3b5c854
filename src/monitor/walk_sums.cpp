#include "monitor/walk_sums.h"

#include "monitor/backward_walk.h"

#include <algorithm>

namespace korvanta::monitor {
namespace {

constexpr int kInputs = acquisition::Tabela::kInputCount;

void addRun(const acquisition::TickView& tick, int first, int length, WalkSums::Sums& sums) {
    const acquisition::Tabela* record = &tick.table.record(first);
    for (int v = 0; v < length; ++v, --record) {
        for (int j = 0; j < kInputs; ++j) {
            sums[static_cast<std::size_t>(j)] += record->values[j];
        }
    }
}

} // namespace

WalkSums::WalkSums(const acquisition::TickView& tick, std::span<const std::int64_t> visitCounts) {
    for (const std::int64_t count : visitCounts) {
        m_counts.push_back(std::max<std::int64_t>(count, 0));
    }
    std::sort(m_counts.begin(), m_counts.end());
    m_counts.erase(std::unique(m_counts.begin(), m_counts.end()), m_counts.end());
    Sums sums{};
    std::int64_t walked = 0;
    for (const std::int64_t count : m_counts) {
        walkBackRuns(tick, walked, count,
                     [&](int first, int length) { addRun(tick, first, length, sums); });
        walked = count;
        m_sums.push_back(sums);
    }
}

const WalkSums::Sums& WalkSums::at(std::int64_t visits) const {
    const auto it =
        std::lower_bound(m_counts.begin(), m_counts.end(), std::max<std::int64_t>(visits, 0));
    return m_sums[static_cast<std::size_t>(it - m_counts.begin())];
}

} // namespace korvanta::monitor
