#pragma once
// One table computation of a tick, as the channel dispatch asks for it, noted before any walk.

#include <cstdint>

namespace korvanta::monitor {

enum class WalkKind {
    MeanOfBuffer,
    MeanOfWindow,
    RmsOfWindow,
    VibrationStats,
    CrestOfBuffer,
    Power,
    PowerZeroMean,
};

struct PlannedWalk {
    WalkKind kind = WalkKind::MeanOfBuffer;
    int inputIndex = 0;
    std::int64_t length = 0; // L of the windowed kinds, the window of VibrationStats
};

} // namespace korvanta::monitor
