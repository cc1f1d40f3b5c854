#include "monitor/cycle_load.h"

#include <algorithm>

namespace korvanta::monitor {

void CycleLoad::start(std::int64_t periodMs) {
    m_periodMs = periodMs;
    m_lastStartMs = -1;
    m_lastLateGapMs = 0;
    m_worstCycleMs = 0;
    m_skipped = 0;
    m_calmTicks = kCalmTicks;
}

void CycleLoad::tickStarted(std::int64_t nowMs) {
    m_startMs = nowMs;
    m_lastLateGapMs = 0;
    if (m_lastStartMs >= 0 && m_periodMs > 0) {
        const std::int64_t gap = nowMs - m_lastStartMs;
        // A timer that could not fire on time fires once when it can: every whole period in the
        // gap beyond the first had no tick.
        const std::int64_t missed = gap / m_periodMs - 1;
        if (missed > 0) {
            m_skipped += missed;
            m_lastLateGapMs = gap;
        }
    }
    m_lastStartMs = nowMs;
}

void CycleLoad::tickEnded(std::int64_t nowMs) {
    const std::int64_t own = nowMs - m_startMs;
    const bool overloaded = own > m_periodMs || m_lastLateGapMs > 0;
    if (!overloaded) {
        if (m_calmTicks < kCalmTicks && ++m_calmTicks == kCalmTicks) {
            m_worstCycleMs = 0;
        }
        return;
    }
    m_calmTicks = 0;
    m_worstCycleMs = std::max({m_worstCycleMs, own, m_lastLateGapMs});
}

QString CycleLoad::overloadText() const {
    if (m_calmTicks >= kCalmTicks) {
        return {};
    }
    return QStringLiteral("Przeciążenie: cykl %1 ms > okres %2 ms, pominięto %3")
        .arg(m_worstCycleMs)
        .arg(m_periodMs)
        .arg(m_skipped);
}

} // namespace korvanta::monitor
