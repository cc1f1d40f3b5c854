#include "press_model.h"

#include <algorithm>

namespace korvanta::simulator {

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
}

double PressModel::forceKn() const {
    const double pressed = m_positionMm - m_settings.gapMm;
    return pressed > 0 ? m_settings.stiffnessKnPerMm * pressed : 0.0;
}

} // namespace korvanta::simulator
