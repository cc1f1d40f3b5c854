#pragma once
// The channel-value formatter: decimals 0..3 choose "##0", "##0.0", "##0.00", "##0.000".

#include <QString>
#include <optional>

namespace korvanta::monitor {

// Appends the value formatted for `decimals` and returns true; for any other decimals appends
// nothing and returns false.
bool Formatuj(QString& text, int decimals, double value);

// The formatted value, or nothing for decimals outside 0..3 (a control then keeps its text).
std::optional<QString> formatChannelValue(int decimals, double value);

} // namespace korvanta::monitor
