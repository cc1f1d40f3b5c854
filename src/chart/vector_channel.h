#pragma once
// The vector channel of the dynamic drawing: input v of each record becomes √(w1² + w2²).

namespace korvanta::chart {

struct VectorChannel {
    int v = 0;  // "Nowy numer wejścia"
    int w1 = 0; // "W1:"
    int w2 = 0; // "W2:"
};

} // namespace korvanta::chart
