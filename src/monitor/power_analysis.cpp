#include "monitor/power_analysis.h"

#include "monitor/input_range.h"
#include "monitor/moc1fazy.h"

namespace korvanta::monitor {
namespace {

constexpr double kOneMs = 1.0 / 86400000.0; // in days, as the time stamps are
constexpr double kDelayOffsetMs = 0.045;
constexpr double kPi = 3.141592653589793;
constexpr int kDirectionSpan = 5; // inputs m .. m + 4

} // namespace

PowerAnalysis::PowerAnalysis(int inputIndex, double samplePeriod, double meanU, double meanI)
    : m_index(inputIndex), m_withDirection(hasInputs(inputIndex, kDirectionSpan)),
      m_T(samplePeriod), m_meanU(meanU), m_meanI(meanI) {}

void PowerAnalysis::finish(Moc1fazy& power, int n) const {
    power.tI = m_tI;
    power.tU = m_tU;
    power.tUprev = m_tUprev;
    if (m_directionSeen) {
        power.direction = m_direction;
    }
    if (m_periodCount > 0) {
        power.periodMs = m_meanPeriod / kOneMs;
        if (power.periodMs != 0) {
            power.frequencyHz = 1000.0 / power.periodMs;
        }
    } else {
        power.periodMs = -1;
    }
    if (m_delayCount > 0) {
        power.delayMs = m_delaySum / m_delayCount / kOneMs + kDelayOffsetMs;
        if (power.periodMs != 0) {
            const double fraction = power.delayMs / power.periodMs;
            power.phaseDegrees = fraction * 360.0;
            power.phase = fraction * 2.0 * kPi;
        }
    } else {
        power.delayMs = -1;
    }
    power.Urms = 0;
    power.Irms = 0;
    if (n != 0) {
        // N - 1 samples are summed and divided by N.
        power.Urms = static_cast<float>(std::sqrt(m_sumU2 / n));
        power.Irms = static_cast<float>(std::sqrt(m_sumI2 / n));
    }
    power.S = static_cast<double>(power.Urms) * static_cast<double>(power.Irms);
    power.P = std::cos(power.phase) * power.S;
    power.Q = std::sin(power.phase) * power.S;
}

} // namespace korvanta::monitor
