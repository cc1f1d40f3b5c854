#include "bench/frozen_watch.h"

#include <algorithm>

namespace korvanta::bench {

void FrozenWatch::reset(std::optional<double> stamp, qint64 nowMs) {
    m_stamp = stamp;
    m_changedMs = nowMs;
    m_stillMs = 0;
}

bool FrozenWatch::stale(std::optional<double> stamp, qint64 nowMs, int stepMs) {
    if (stamp && stamp != m_stamp) {
        reset(stamp, nowMs);
        return false;
    }
    m_stillMs = nowMs - m_changedMs;
    const qint64 limit = std::max<qint64>(kMinimumMs, qint64{kSteps} * stepMs);
    return m_stillMs > limit;
}

} // namespace korvanta::bench
