#include "monitor/whole_buffer_means.h"

#include "monitor/backward_walk.h"
#include "monitor/input_range.h"

#include <algorithm>

namespace korvanta::monitor {

WholeBufferMeans::WholeBufferMeans(const acquisition::TickView& tick) {
    if (!walkable(tick)) {
        return;
    }
    m_count = tick.recordCount();
    std::array<double, acquisition::Tabela::kInputCount> sums{};
    const auto add = [&](int i) {
        const float* values = tick.table.record(i).values;
        for (int j = 0; j < acquisition::Tabela::kInputCount; ++j) {
            sums[static_cast<std::size_t>(j)] += values[j];
        }
    };
    // The walk's visits in runs that need no wrap test: the newest record, then down to record
    // 1, then from N - 1 down for the rest.
    int i = tick.newestIndex();
    int remaining = m_count;
    add(i);
    --remaining;
    while (remaining > 0) {
        if (i <= 1) {
            i = m_count;
        }
        const int run = std::min(remaining, i - 1);
        for (int stop = i - run; i > stop;) {
            add(--i);
        }
        remaining -= run;
    }
    m_sums = sums;
}

double WholeBufferMeans::mean(int inputIndex) const {
    if (m_count <= 0 || !hasInputs(inputIndex)) {
        return 0;
    }
    return m_sums[static_cast<std::size_t>(inputIndex)] / m_count;
}

} // namespace korvanta::monitor
