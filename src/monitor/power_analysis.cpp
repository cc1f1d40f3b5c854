#include "monitor/power_analysis.h"

#include "monitor/input_range.h"

namespace korvanta::monitor {
namespace {

constexpr int kDirectionSpan = 5; // inputs m .. m + 4

} // namespace

PowerAnalysis::PowerAnalysis(int inputIndex, double samplePeriod, double meanU, double meanI)
    : m_index(inputIndex), m_withDirection(hasInputs(inputIndex, kDirectionSpan)),
      m_T(samplePeriod), m_meanU(meanU), m_meanI(meanI) {}

} // namespace korvanta::monitor
