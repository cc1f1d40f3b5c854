#pragma once
// The one rule for which input numbers name a value of a record: inputs 1..32 exist, others not.

#include "acquisition/tabela.h"

namespace korvanta::monitor {

// True when the 0-based inputs index .. index + span - 1 all lie inside a record. A channel whose
// inputs fail this reads nothing: its value stays as it was.
constexpr bool hasInputs(int index, int span = 1) {
    return span >= 1 && index >= 0 && index <= acquisition::Tabela::kInputCount - span;
}

} // namespace korvanta::monitor
