#pragma once
// The vibration statistics of a tick over two backward walks of the whole buffer, with the
// computations side by side in the lanes of vectors. Each computation starts its moving average
// from the average the one before it ended with, so the first walk only runs the rings, to learn
// how each one ends; the second runs them again from the right start and sums the integral's
// distance from its moving average.
//
// The integral of each input is run once, in lanes of its own, and every computation on that
// input takes it from there by a permute. A computation's ring holds its last `window` integrals;
// the computations are laid out by window in segments of up to four lanes with one window, so
// that the integrals leaving the rings of a segment lie side by side in one row of its ring.

#include "acquisition/tick_view.h"
#include "monitor/deviation_sums.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace korvanta::monitor {

class VibrationLanes {
public:
    // One computation: the integral of input `input` less `mean`, and its moving average over
    // `window` integrals.
    struct Computation {
        int input = 0;
        double mean = 0;
        int window = 0;
    };

    // The computations in the order the channels ask for them.
    explicit VibrationLanes(std::span<const Computation> computations);

    // The first walk, over the visits from..to-1 (stretches in order, up to N): the deviations,
    // the integrals and the rings.
    void sumRings(const acquisition::TickView& tick, std::int64_t from, std::int64_t to);
    // Between the walks, for a walk of n records: the average each computation ends with, each
    // starting from the one before, the first from `carry`.
    void chainAverages(double carry, int n);
    // The second walk, over the visits from..to-1 of a walk of the whole buffer.
    void sweep(const acquisition::TickView& tick, std::int64_t from, std::int64_t to);

    VibrationSums sums(std::size_t computation) const;

    // The walks keep their sums in these between stretches, as plain doubles: see vector_lanes.h.

    // The integral of one input, run in a lane of its own.
    struct Integral {
        int input = 0;
        double mean = 0;
        double running = 0;
        double largest = 0;
        double sumOfSquares = 0;
    };
    // One computation, or a spare copy of one that fills a segment; `source` is the lane of its
    // integral among the integrals of its group.
    struct Lane {
        int source = 0;
        double window = 0;
        double start = 0; // the average at the first visit
        double ringSum = 0;
        double sumE2 = 0;
        double peak = 0;
    };
    // The ring of a segment: `window` rows of one integral per lane, from `offset` in the rings;
    // `row` is the row that the next visit replaces.
    struct Segment {
        std::size_t offset = 0;
        int window = 0;
        int row = 0;
    };
    // Up to two vectors of integrals and the vectors of computations that take them, walked
    // together.
    struct Group {
        std::size_t firstIntegral = 0;
        std::size_t integralVectors = 0;
        std::size_t firstLane = 0;
        std::size_t laneVectors = 0;
        std::size_t firstSegment = 0;
    };

private:
    void addGroups(std::span<const Computation> computations, std::span<const std::size_t> chosen,
                   std::span<const Integral> integrals);
    void restart();

    int m_width; // lanes per vector
    std::vector<Integral> m_integrals;
    std::vector<Lane> m_lanes;
    std::vector<Segment> m_segments;
    std::vector<Group> m_groups;
    std::vector<double> m_rings;           // the rows of every segment's ring
    std::vector<std::size_t> m_laneOf;     // the lane of each computation
    std::vector<std::size_t> m_integralOf; // the integral of each computation
    std::vector<double> m_endAverage;      // the average each computation ends with
};

} // namespace korvanta::monitor
