#pragma once
// The tick counter towards the next file save, shared by the live steps and the bench tests.

#include <climits>

namespace korvanta::monitor {

class SaveCounter {
public:
    // Counts one tick; true, with the counter back at 0, when the count equals the period. A
    // period of 0 or less, or one below the count, never matches. The count stops at the
    // largest int instead of overflowing.
    bool advance(int period) {
        if (m_count < INT_MAX) {
            ++m_count;
        }
        if (m_count != period) {
            return false;
        }
        m_count = 0;
        return true;
    }

    int value() const { return m_count; }
    // At start-up and when a configuration is opened.
    void reset() { m_count = 0; }

private:
    int m_count = 0;
};

} // namespace korvanta::monitor
