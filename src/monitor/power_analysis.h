#pragma once
// The zero-crossing power analysis of one voltage and current pair, fed one record at a time by
// a forward walk.

#include "acquisition/tabela.h"
#include "monitor/power_sums.h"

#include <cmath>

namespace korvanta::monitor {

class PowerAnalysis {
public:
    // A day is 86,400,000 ms; the crossing times are day numbers.
    static constexpr double kTenMs = 1.0 / 8640000.0;

    // Voltage input inputIndex, current inputIndex + 1, each less its mean; the direction from
    // inputs inputIndex + 2 and + 4 only when those exist.
    PowerAnalysis(int inputIndex, double samplePeriod, double meanU, double meanI);

    // The walk's first record, the current record R.
    void begin(const acquisition::Tabela& first) {
        m_prevU = voltage(first);
        m_prevI = current(first);
    }

    // The next record of the walk; tPrev is the time stamp of the record before it.
    void step(double tPrev, const acquisition::Tabela& next) {
        const double newU = voltage(next);
        const double newI = current(next);
        if (risesThroughZero(m_prevI, newI)) {
            m_sums.tI = tPrev + m_T * m_prevI / (m_prevI - newI);
        }
        m_prevI = newI;
        if (risesThroughZero(m_prevU, newU)) {
            voltageCrossing(tPrev + m_T * m_prevU / (m_prevU - newU), next);
        }
        m_prevU = newU;
        if (m_sums.tI > 0 && m_sums.tUprev > 0 && m_sums.meanPeriod > kTenMs) {
            pairCrossings();
        }
        m_sums.sumU2 += newU * newU;
        m_sums.sumI2 += newI * newI;
    }

    const PowerSums& sums() const { return m_sums; }

    // An upward zero crossing between two samples.
    static bool risesThroughZero(double previous, double next) {
        return (previous < 0 && next >= 0) || (previous <= 0 && next > 0);
    }

    // The direction indicator from inputs m + 2 and m + 4.
    static float directionOf(double x2, double x4) {
        if (x2 * x4 >= 0) {
            return 0.0F;
        }
        return x2 > x4 ? 1.0F : -1.0F;
    }

private:
    double voltage(const acquisition::Tabela& r) const { return r.values[m_index] - m_meanU; }
    double current(const acquisition::Tabela& r) const { return r.values[m_index + 1] - m_meanI; }

    void voltageCrossing(double tCross, const acquisition::Tabela& record) {
        if (m_sums.tU >= 0) {
            m_periodSum += tCross - m_sums.tU;
            ++m_sums.periodCount;
            m_sums.meanPeriod = m_periodSum / m_sums.periodCount;
        }
        m_sums.tUprev = m_sums.tU;
        m_sums.tU = tCross;
        if (m_withDirection) {
            m_sums.directionSeen = true;
            m_sums.direction = directionOf(record.values[m_index + 2], record.values[m_index + 4]);
        }
    }

    void pairCrossings() {
        const double delta = m_sums.tI - m_sums.tU;
        // A current crossing far from the voltage one belongs to the previous period.
        m_sums.delaySum += std::fabs(delta) > kTenMs ? m_sums.meanPeriod - std::fabs(delta) : delta;
        ++m_sums.delayCount;
        m_sums.tI = m_sums.tUprev = -1;
    }

    int m_index;
    bool m_withDirection;
    double m_T;
    double m_meanU;
    double m_meanI;
    double m_prevU = 0;
    double m_prevI = 0;
    double m_periodSum = 0;
    PowerSums m_sums;
};

} // namespace korvanta::monitor
