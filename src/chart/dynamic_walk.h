#pragma once
// The table walk of the dynamic drawing: N - 1 records forward from the current record R,
// wrapping from N - 1 to 0, with the optional vector step written into each record first.

#include "acquisition/tabela.h"
#include "acquisition/tick_view.h"
#include "chart/vector_channel.h"

#include <cmath>
#include <optional>
#include <span>

namespace korvanta::chart {

// True for an input that exists in a record (1..32).
constexpr bool isRecordInput(int input) {
    return input >= 1 && input <= acquisition::Tabela::kInputCount;
}

// A vector step whose three inputs all exist in a record; any other numbers skip the step.
inline std::optional<VectorChannel> usableVector(const std::optional<VectorChannel>& vector) {
    if (vector && isRecordInput(vector->v) && isRecordInput(vector->w1) &&
        isRecordInput(vector->w2)) {
        return vector;
    }
    return std::nullopt;
}

// Walks the table once, record by record. For every record p and every series s (in order) the
// vector step is applied to record p once, then sink(s, pointNumber, timeStamp, inputValue) is
// called with input inputs[s] of record p. This is exactly what walking each series' records in
// turn would give, touching each record only once. Every input number must exist in a record.
template <typename Sink>
void walkDynamicTable(const acquisition::TickView& view, std::span<const int> inputs,
                      const std::optional<VectorChannel>& vector, Sink&& sink) {
    const int n = view.recordCount();
    if (n < 2 || inputs.empty() || view.currentIndex < 0 || view.currentIndex >= n) {
        return;
    }
    const std::optional<VectorChannel> step = usableVector(vector);
    int p = view.currentIndex;
    for (int point = 0; point < n - 1; ++point) {
        acquisition::Tabela& record = view.table.record(p);
        for (std::size_t s = 0; s < inputs.size(); ++s) {
            if (step) {
                const double a = record.values[step->w1 - 1];
                const double b = record.values[step->w2 - 1];
                record.values[step->v - 1] = static_cast<float>(std::sqrt(a * a + b * b));
            }
            sink(static_cast<int>(s), point, record.timeStamp, record.values[inputs[s] - 1]);
        }
        p = view.table.nextIndex(p);
    }
}

} // namespace korvanta::chart
