#include "monitor/median_store.h"

#include <algorithm>

namespace korvanta::monitor {

double MedianStore::takeMedian() {
    const std::size_t n = m_values.size();
    if (n == 0) {
        return m_median;
    }
    std::sort(m_values.begin(), m_values.end());
    m_median = n % 2 == 1 ? m_values[n / 2] : (m_values[n / 2] + m_values[n / 2 - 1]) * 0.5;
    m_values.clear();
    return m_median;
}

} // namespace korvanta::monitor
