#pragma once
// The backward walk over the data table that every windowed mean and RMS uses.

#include "acquisition/tick_view.h"

#include <cstdint>

namespace korvanta::monitor {

// True when the tick has records and its current index lies among them.
inline bool walkable(const acquisition::TickView& tick) {
    return tick.hasData() && tick.currentIndex >= 0 && tick.currentIndex < tick.recordCount();
}

// Visits `visits` records from the newest one (R - 1, or N - 1 when R is 0), stepping back one
// record at a time; an index of 0 or less after a step becomes N - 1, so stepping never reaches
// record 0 and the walk cycles over records 1..N-1. Calls visit(recordIndex) for each visit.
template <typename Visit>
void walkBack(const acquisition::TickView& tick, std::int64_t visits, Visit&& visit) {
    if (!walkable(tick)) {
        return;
    }
    const int last = tick.recordCount() - 1;
    int i = tick.newestIndex();
    for (std::int64_t k = 0; k < visits; ++k) {
        visit(i);
        if (--i <= 0) {
            i = last;
        }
    }
}

} // namespace korvanta::monitor
