#pragma once
// The highlight state of one monitoring series, set by the series menu's click modes.

namespace korvanta::chart {

enum class SeriesState : int {
    Normal = 0,
    Thick = 1,
    Deleted = 2,
};

} // namespace korvanta::chart
