#include "monitor/whole_buffer_means.h"

#include "monitor/backward_walk.h"
#include "monitor/input_range.h"

namespace korvanta::monitor {

WholeBufferMeans::WholeBufferMeans(const acquisition::TickView& tick) {
    if (!walkable(tick)) {
        return;
    }
    m_count = tick.recordCount();
    std::array<double, acquisition::Tabela::kInputCount> sums{};
    walkBack(tick, m_count, [&](int i) {
        const float* values = tick.table.record(i).values;
        for (int j = 0; j < acquisition::Tabela::kInputCount; ++j) {
            sums[static_cast<std::size_t>(j)] += values[j];
        }
    });
    m_sums = sums;
}

double WholeBufferMeans::mean(int inputIndex) const {
    if (m_count <= 0 || !hasInputs(inputIndex)) {
        return 0;
    }
    return m_sums[static_cast<std::size_t>(inputIndex)] / m_count;
}

} // namespace korvanta::monitor
