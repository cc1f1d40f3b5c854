#pragma once
// The current value table: the last computed value of each channel k1..k64 (index k - 1).

#include <array>

namespace korvanta::monitor {

using CurrentValues = std::array<double, 64>;

} // namespace korvanta::monitor
