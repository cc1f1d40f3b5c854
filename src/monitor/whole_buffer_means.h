#pragma once
// The whole-buffer means of all 32 inputs from one walk, so that many "mean over the whole
// buffer" channels of a tick share a single pass over the table.

#include "acquisition/tabela.h"
#include "acquisition/tick_view.h"

#include <array>

namespace korvanta::monitor {

class WholeBufferMeans {
public:
    // Walks the tick's table once, in the order of Moc1fazy::meanOfBuffer's walk.
    explicit WholeBufferMeans(const acquisition::TickView& tick);

    // Equal, bit for bit, to Moc1fazy::meanOfBuffer(inputIndex, tick): every input is summed in
    // the same order. 0 for a missing input or a tick without data.
    double mean(int inputIndex) const;

private:
    std::array<double, acquisition::Tabela::kInputCount> m_sums{};
    int m_count = 0;
};

} // namespace korvanta::monitor
