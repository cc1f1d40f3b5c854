#include "press_model.h"

#include <algorithm>

namespace korvanta::simulator {
namespace {

// Mixed into the seed so the force noise does not repeat the noise of the signal inputs.
constexpr std::uint32_t kPressNoiseStream = 0x70726573;

std::mt19937 seededGenerator(std::uint32_t seed) {
    std::seed_seq sequence{seed, kPressNoiseStream};
    return std::mt19937(sequence);
}

} // namespace

PressModel::PressModel(const PressSettings& settings, std::uint32_t seed)
    : m_settings(settings), m_random(seededGenerator(seed)) {}

void PressModel::applyCommand(const QString& commandText) {
    if (commandText == QLatin1String(kDownCommand)) {
        m_direction = 1;
    } else if (commandText == QLatin1String(kUpCommand)) {
        m_direction = -1;
    } else {
        m_direction = 0;
    }
}

void PressModel::advance(double seconds) {
    m_positionMm += m_direction * m_settings.speedMmPerS * seconds;
    m_positionMm = std::max(m_positionMm, 0.0);
    yieldIfOverloaded();
}

double PressModel::yieldLineKn(double deflectionMm) const {
    const double k = m_settings.stiffnessKnPerMm;
    const double yield = *m_settings.yieldKn;
    const double elastic = k * deflectionMm;
    if (elastic <= yield) {
        return elastic;
    }
    return yield + kHardeningRatio * k * (deflectionMm - yield / k);
}

void PressModel::yieldIfOverloaded() {
    const double deflection = m_positionMm - m_settings.gapMm;
    if (!m_settings.yieldKn || deflection <= 0) {
        return;
    }
    // The force can pass the line only where the line has left the elastic slope, that is past
    // the yield force, so the stiffness is above 0 wherever the set moves.
    const double limit = yieldLineKn(deflection);
    if (forceKn() > limit) {
        m_setMm = deflection - limit / m_settings.stiffnessKnPerMm;
    }
}

double PressModel::forceKn() const {
    const double pressed = m_positionMm - m_settings.gapMm - m_setMm;
    return pressed > 0 ? m_settings.stiffnessKnPerMm * pressed : 0.0;
}

double PressModel::forceReadingKn() {
    const double force = forceKn();
    return m_settings.noiseKn > 0 ? force + m_settings.noiseKn * m_gauss(m_random) : force;
}

} // namespace korvanta::simulator
