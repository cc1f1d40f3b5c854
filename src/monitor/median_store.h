#pragma once
// The values collected by the "Mediana" channels between two takings of their median.

#include <cstddef>
#include <vector>

namespace korvanta::monitor {

class MedianStore {
public:
    void append(double value) { m_values.push_back(value); }

    // Sorts the store; an odd count gives the middle element, an even count the mean of the two
    // middle ones; then empties the store. An empty store has no median: the last median value
    // stays, so the "Mediana" channels keep showing the last real median instead of a made-up 0.
    double takeMedian();

    // The last median taken (0 before the first).
    double value() const { return m_median; }
    std::size_t size() const { return m_values.size(); }

private:
    std::vector<double> m_values;
    double m_median = 0;
};

} // namespace korvanta::monitor
