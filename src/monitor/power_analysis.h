#pragma once
// The zero-crossing power analysis of one voltage and current pair, fed one record at a time by
// a forward walk, so that one walk can carry several analyses.

#include "acquisition/tabela.h"

#include <cmath>

namespace korvanta::monitor {

class Moc1fazy;

class PowerAnalysis {
public:
    // Voltage input inputIndex, current inputIndex + 1, each less its mean; the direction from
    // inputs inputIndex + 2 and + 4 only when those exist.
    PowerAnalysis(int inputIndex, double samplePeriod, double meanU, double meanI);

    // Everything a step needs is inline, so that a walk can keep a local analysis in registers.

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
            m_tI = tPrev + m_T * m_prevI / (m_prevI - newI);
        }
        m_prevI = newI;
        if (risesThroughZero(m_prevU, newU)) {
            voltageCrossing(tPrev + m_T * m_prevU / (m_prevU - newU), next);
        }
        m_prevU = newU;
        if (m_tI > 0 && m_tUprev > 0 && m_meanPeriod > kTenMs) {
            pairCrossings();
        }
        m_sumU2 += newU * newU;
        m_sumI2 += newI * newI;
    }

    // Writes the analysis of a walk over n records into power.
    void finish(Moc1fazy& power, int n) const;

private:
    static constexpr double kTenMs = 1.0 / 8640000.0; // in days, as the time stamps are

    // An upward zero crossing between two samples.
    static bool risesThroughZero(double previous, double next) {
        return (previous < 0 && next >= 0) || (previous <= 0 && next > 0);
    }

    double voltage(const acquisition::Tabela& r) const { return r.values[m_index] - m_meanU; }
    double current(const acquisition::Tabela& r) const { return r.values[m_index + 1] - m_meanI; }

    void voltageCrossing(double tCross, const acquisition::Tabela& record) {
        if (m_tU >= 0) {
            m_periodSum += tCross - m_tU;
            ++m_periodCount;
            m_meanPeriod = m_periodSum / m_periodCount;
        }
        m_tUprev = m_tU;
        m_tU = tCross;
        if (m_withDirection) {
            m_directionSeen = true;
            m_direction = directionOf(record.values[m_index + 2], record.values[m_index + 4]);
        }
    }

    static float directionOf(double x2, double x4) {
        if (x2 * x4 >= 0) {
            return 0.0F;
        }
        return x2 > x4 ? 1.0F : -1.0F;
    }

    void pairCrossings() {
        const double delta = m_tI - m_tU;
        // A current crossing far from the voltage one belongs to the previous period.
        m_delaySum += std::fabs(delta) > kTenMs ? m_meanPeriod - std::fabs(delta) : delta;
        ++m_delayCount;
        m_tI = m_tUprev = -1;
    }

    int m_index;
    bool m_withDirection;
    double m_T;
    double m_meanU;
    double m_meanI;
    double m_prevU = 0;
    double m_prevI = 0;
    double m_tI = -1;
    double m_tU = -1;
    double m_tUprev = -1;
    double m_periodSum = 0;
    double m_meanPeriod = 0;
    int m_periodCount = 0;
    double m_delaySum = 0;
    int m_delayCount = 0;
    double m_sumU2 = 0;
    double m_sumI2 = 0;
    bool m_directionSeen = false;
    float m_direction = 0;
};

} // namespace korvanta::monitor
