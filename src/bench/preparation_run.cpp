#include "bench/preparation_run.h"

namespace korvanta::bench {

void PreparationRun::begin(const BenchParameters& parameters) {
    m_parameters = parameters;
    m_running = true;
    m_opening = true;
}

RunnerEffects PreparationRun::tick(acquisition::SettingsRecord& settings, double force) {
    RunnerEffects effects;
    if (!m_running) {
        return effects;
    }
    if (m_opening) {
        open(settings, effects);
    }
    switch (m_step) {
    case 0:
        send(effects, EmergencyDown);
        m_step = 1;
        break;
    case 1:
        if (force >= m_parameters.preparationForce) {
            send(effects, Stop);
            m_step = 2;
        }
        break;
    case 2:
        send(effects, EmergencyUp);
        m_elapsedMs += kInterval;
        if (m_elapsedMs >= m_parameters.retractionTime * 1000LL) {
            m_step = 3;
        }
        break;
    default:
        m_step = 0;
        m_elapsedMs = 0;
        send(effects, Stop);
        m_running = false;
        effects.preparationFinished = true;
        effects.logLines << QStringLiteral("ZAKOŃCZONO PRZYGOTOWANIE");
        restoreBufferLength(settings);
        break;
    }
    return effects;
}

void PreparationRun::open(acquisition::SettingsRecord& settings, RunnerEffects& effects) {
    m_opening = false;
    m_step = 0;
    m_elapsedMs = 0;
    effects.clearLog = true;
    const int channel = m_parameters.forceChannel;
    m_savedBufferLength = settings.bufferLength(channel);
    settings.setBufferLength(channel, m_parameters.preparationBufferLength);
    effects.logLines << QStringLiteral("TRWA PRZYGOTOWANIE DO BADANIA.")
                     << QStringLiteral("PROSZĘ CZEKAĆ.");
}

bool PreparationRun::end(acquisition::SettingsRecord& settings) {
    const bool wasRunning = m_running;
    m_running = false;
    m_opening = false;
    m_step = 0;
    m_elapsedMs = 0;
    restoreBufferLength(settings);
    return wasRunning;
}

void PreparationRun::restoreBufferLength(acquisition::SettingsRecord& settings) {
    if (m_savedBufferLength) {
        settings.setBufferLength(m_parameters.forceChannel, *m_savedBufferLength);
        m_savedBufferLength.reset();
    }
}

void PreparationRun::send(RunnerEffects& effects, MotionCommand command) const {
    effects.commands << m_parameters.command(command);
}

} // namespace korvanta::bench
