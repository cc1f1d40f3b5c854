#pragma once
// What one monitoring tick reads of the shared blocks, checked once against the mapped view.

#include "acquisition/control_block.h"
#include "acquisition/data_table.h"

namespace korvanta::acquisition {

struct TickView {
    ControlBlock control;    // the working control block
    DataTable table;         // N valid records; empty when the tick has no data
    int currentIndex = 0;    // R, always inside 0..N-1 when the table is not empty
    double samplePeriod = 0; // T in days

    bool hasData() const { return !table.empty(); }
    int recordCount() const { return table.size(); }
    // The newest complete record: R - 1, or N - 1 when R is 0.
    int newestIndex() const { return table.previousIndex(currentIndex); }
};

} // namespace korvanta::acquisition
