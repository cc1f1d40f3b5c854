#pragma once
// The backward walk over the data table that every windowed mean and RMS uses.

#include "acquisition/tick_view.h"

#include <algorithm>
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

// The record of a walkable tick that the walk visits at visit number v (0 is the newest).
inline int recordAtVisit(const acquisition::TickView& tick, std::int64_t v) {
    const int start = tick.newestIndex();
    const int n = tick.recordCount();
    if (v == 0 || n == 1) {
        return start;
    }
    // A step from record 0 and one from record 1 both lead to N - 1.
    const std::int64_t j = std::max(start, 1) - v;
    if (j >= 1) {
        return static_cast<int>(j);
    }
    const std::int64_t cycle = n - 1;
    return 1 + static_cast<int>(((j - 1) % cycle + cycle) % cycle);
}

// The visits from..to-1 of the same walk, in runs of consecutive records: calls
// run(first, length) for the records first, first - 1, ..., first - length + 1, so that a loop
// over a run needs no wrap test.
template <typename Run>
void walkBackRuns(const acquisition::TickView& tick, std::int64_t from, std::int64_t to,
                  Run&& run) {
    if (!walkable(tick) || from >= to) {
        return;
    }
    const int last = tick.recordCount() - 1;
    int first = recordAtVisit(tick, from);
    for (std::int64_t v = from; v < to;) {
        // A run goes down to record 1, or is record 0 alone; then the walk goes on from N - 1.
        const int length = static_cast<int>(std::min<std::int64_t>(std::max(first, 1), to - v));
        run(first, length);
        v += length;
        first = last;
    }
}

// Asks the processor to bring in the records first - count + 1 .. first, so that a later loop
// over them does not wait for memory.
inline void prefetchRecords(const acquisition::TickView& tick, int first, int count) {
    constexpr std::size_t kLine = 64;
    const char* low = reinterpret_cast<const char*>(&tick.table.record(first - count + 1));
    const char* high = reinterpret_cast<const char*>(&tick.table.record(first) + 1);
    for (const char* p = low; p < high; p += kLine) {
        __builtin_prefetch(p);
    }
}

// The records of the visits from..to-1, brought in ahead of the loops that walk them.
inline void prefetchVisits(const acquisition::TickView& tick, std::int64_t from, std::int64_t to) {
    walkBackRuns(tick, from, to,
                 [&](int first, int length) { prefetchRecords(tick, first, length); });
}

} // namespace korvanta::monitor
