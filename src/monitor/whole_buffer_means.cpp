#include "monitor/whole_buffer_means.h"

#include "monitor/backward_walk.h"
#include "monitor/input_range.h"
#include "monitor/walk_sums.h"

namespace korvanta::monitor {

WholeBufferMeans::WholeBufferMeans(const acquisition::TickView& tick) {
    if (!walkable(tick)) {
        return;
    }
    m_count = tick.recordCount();
    const std::int64_t visits[] = {m_count};
    m_sums = WalkSums(tick, visits).at(m_count);
}

double WholeBufferMeans::mean(int inputIndex) const {
    if (m_count <= 0 || !hasInputs(inputIndex)) {
        return 0;
    }
    return m_sums[static_cast<std::size_t>(inputIndex)] / m_count;
}

} // namespace korvanta::monitor
