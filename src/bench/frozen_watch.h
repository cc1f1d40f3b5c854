#pragma once
// Watches the newest record's time stamp while the press moves: readings that stop changing for
// longer than 2 s, or three steps when a step is longer, are stale and the press must stop.

#include <QtGlobal>
#include <optional>

namespace korvanta::bench {

class FrozenWatch {
public:
    static constexpr qint64 kMinimumMs = 2000;
    static constexpr int kSteps = 3;

    // Starts watching from this stamp (none when no record is mapped) at this moment.
    void reset(std::optional<double> stamp, qint64 nowMs);
    // True when the stamp has not changed for longer than the limit of a step of `stepMs`.
    bool stale(std::optional<double> stamp, qint64 nowMs, int stepMs);
    // How long the stamp has stood still at the last check, in milliseconds.
    qint64 stillMs() const { return m_stillMs; }

private:
    std::optional<double> m_stamp;
    qint64 m_changedMs = 0;
    qint64 m_stillMs = 0;
};

} // namespace korvanta::bench
