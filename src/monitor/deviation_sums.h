#pragma once
// What a walk over the data table sums for the RMS, crest and vibration statistics, before
// Moc1fazy turns the sums into its results.

#include <cstdint>

namespace korvanta::monitor {

// Deviations of one input from a mean over one walk.
struct Deviations {
    double largest = 0; // largest positive deviation
    double sumOfSquares = 0;
};

// One vibration computation over a walk of the whole buffer.
struct VibrationSums {
    Deviations deviations;
    double sumE2 = 0;   // squares of the integral less its moving average
    double peak = 0;    // largest |integral - average| in the middle of the buffer
    double average = 0; // the last moving average, carried into the next computation
};

} // namespace korvanta::monitor
