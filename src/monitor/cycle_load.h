#pragma once
// Watches the monitoring cycle under load: each tick's own time and how late its timer fired, so
// that ticks that never happen are shown instead of missing silently.

#include <QString>
#include <cstdint>

namespace korvanta::monitor {

class CycleLoad {
public:
    // A new run with the cycle's period; the count of skipped periods starts again.
    void start(std::int64_t periodMs);
    // The period changed while running ("Odśwież okres").
    void setPeriod(std::int64_t periodMs) { m_periodMs = periodMs; }

    // A tick began and ended at these moments of a monotonic clock, in milliseconds.
    void tickStarted(std::int64_t nowMs);
    void tickEnded(std::int64_t nowMs);

    // "Przeciążenie: cykl 210 ms > okres 100 ms, pominięto 12" while the cycle is overloaded:
    // a tick took longer than the period or began a whole period late, and fewer than
    // kCalmTicks ticks have run within the period since. Empty otherwise.
    QString overloadText() const;
    // Periods in which no tick ran, over the whole run.
    std::int64_t skippedPeriods() const { return m_skipped; }

    static constexpr int kCalmTicks = 10;

private:
    std::int64_t m_periodMs = 0;
    std::int64_t m_lastStartMs = -1;
    std::int64_t m_startMs = 0;
    std::int64_t m_lastLateGapMs = 0; // the gap between tick starts of the last late tick
    std::int64_t m_worstCycleMs = 0;  // the longest cycle of the current overload
    std::int64_t m_skipped = 0;
    int m_calmTicks = kCalmTicks;
};

} // namespace korvanta::monitor
