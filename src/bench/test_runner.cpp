#include "bench/test_runner.h"

#include <algorithm>

namespace korvanta::bench {
namespace {

QString marked(const QString& sampleLine, const char* sign, double value) {
    return sampleLine + QStringLiteral("     ") + QLatin1String(sign) + QLatin1Char(' ') +
           generalNumber(value);
}

} // namespace

QString generalNumber(double value) {
    return QString::number(value, 'g', 15);
}

void TestRunner::begin(const BenchParameters& parameters) {
    m_parameters = parameters;
    m_state = kIdle;
    m_forceZero = 0;
    m_displacementZero = 0;
    m_interval = phaseInterval(parameters.periods[0]);
}

QString TestRunner::takeZeros(double force, double displacement) {
    m_forceZero = force;
    m_displacementZero = displacement;
    m_state = kStarted;
    m_log.clear();
    if (force > 0.5 || displacement > 10) {
        return QStringLiteral("Przesunięcie zera dla czjnika siły: ") + generalNumber(force) +
               QStringLiteral(", a dla czujnika przesunięcia: ") + generalNumber(displacement) +
               QStringLiteral(". Czy rozpocząć badanie?");
    }
    return {};
}

RunnerEffects TestRunner::beginLoading() {
    RunnerEffects effects;
    send(effects, Phase1Down);
    setInterval(effects, 0);
    return effects;
}

RunnerEffects TestRunner::step(const StepReading& reading) {
    RunnerEffects effects;
    checkAlarms(reading, effects);
    if (m_firstStep || m_countersReset) {
        resetCounters();
    }
    stateStep(reading, effects);
    cadence(effects);
    return effects;
}

RunnerEffects TestRunner::stop() {
    RunnerEffects effects;
    effects.commands << stopText();
    effects.stopped = true;
    m_countersReset = true;
    log(effects, stopLogLine());
    return effects;
}

RunnerEffects TestRunner::halt(const QString& cause) {
    RunnerEffects effects;
    effects.commands << stopText();
    effects.stopped = true;
    m_countersReset = true;
    enterAlarm(effects, cause);
    log(effects, cause);
    log(effects, QStringLiteral("STOP"));
    return effects;
}

void TestRunner::log(RunnerEffects& effects, const QString& line) {
    m_log << line;
    effects.logLines << line;
}

void TestRunner::send(RunnerEffects& effects, MotionCommand command) {
    effects.commands << m_parameters.command(command);
}

void TestRunner::setInterval(RunnerEffects& effects, int phase) {
    m_interval = phaseInterval(m_parameters.periods[static_cast<std::size_t>(phase)]);
    effects.timerInterval = m_interval;
}

// A cadence shorter than the step plots at every step instead of never: a countdown of 0 would
// run below 0 and never come back to it.
int TestRunner::cadenceSteps(int phase) const {
    const auto i = static_cast<std::size_t>(phase);
    return std::max(1, phaseSteps(m_parameters.cadences[i], m_parameters.periods[i]));
}

void TestRunner::enterAlarm(RunnerEffects& effects, const QString& cause) {
    if (m_state != kAlarm) {
        effects.alarmEntered = true;
        effects.alarmCause = cause;
    }
    m_state = kAlarm;
}

void TestRunner::checkAlarms(const StepReading& reading, RunnerEffects& effects) {
    const double maxL = m_parameters.maxDisplacement;
    const double maxF = m_parameters.maxForce;
    if (reading.displacement > maxL) {
        effects.displacementAlarm = true;
        send(effects, Stop);
        enterAlarm(effects, QStringLiteral("Przekroczono Max L: L = %1 mm > %2 mm")
                                .arg(generalNumber(reading.displacement), generalNumber(maxL)));
        log(effects, marked(reading.sampleLine, ">", maxL));
        log(effects, QStringLiteral("STOP"));
    }
    if (reading.force > maxF) {
        effects.forceAlarm = true;
        send(effects, Stop);
        enterAlarm(effects, QStringLiteral("Przekroczono Max F: F = %1 kN > %2 kN")
                                .arg(generalNumber(reading.force), generalNumber(maxF)));
        log(effects, QStringLiteral("STOP"));
    }
}

void TestRunner::resetCounters() {
    if (m_countersReset) {
        m_k = 1;
        m_hold = 0;
        m_countersReset = false;
    }
    m_firstStep = false;
    m_cadence = cadenceSteps(0);
}

// States 1 and 6 are the same in both tests; 0 and 7 do nothing.
void TestRunner::stateStep(const StepReading& reading, RunnerEffects& effects) {
    if (m_state == kStarted) {
        log(effects, reading.sampleLine);
        m_state = kLoading;
        m_k = 1;
    } else if (m_state == kFinished) {
        finish(effects);
    } else if (m_parameters.type == TestType::Load) {
        loadTestStep(reading, effects);
    } else if (m_state == kLoading) {
        deformationLoadingStep(reading, effects);
    }
}

void TestRunner::loadTestStep(const StepReading& reading, RunnerEffects& effects) {
    switch (m_state) {
    case kLoading:
        loadingStep(reading, effects);
        break;
    case kHolding:
        holdingStep(reading, effects);
        break;
    case kUnloading:
        unloadingStep(reading, effects);
        break;
    case kHoldingAfter:
        holdingAfterStep(reading, effects);
        break;
    default:
        break;
    }
}

void TestRunner::deformationLoadingStep(const StepReading& reading, RunnerEffects& effects) {
    logForceStep(reading, effects);
    if (reading.displacement + kDelta >= m_parameters.upperDisplacement) {
        send(effects, Stop);
        log(effects, reading.sampleLine);
        m_state = kFinished;
    }
}

// A line for each force step the load reaches on its way up.
void TestRunner::logForceStep(const StepReading& reading, RunnerEffects& effects) {
    if (m_k * m_parameters.forceStep <= reading.force + kDelta) {
        log(effects, reading.sampleLine);
        ++m_k;
    }
}

void TestRunner::loadingStep(const StepReading& reading, RunnerEffects& effects) {
    const BenchParameters& p = m_parameters;
    logForceStep(reading, effects);
    if (m_k > p.upperLoad / p.forceStep) {
        send(effects, Stop);
        m_state = kHolding;
        m_cadence = 0;
        setInterval(effects, 1);
        m_hold = phaseSteps(p.timeTo * 60.0L, p.periods[1]);
    }
    checkUpperDisplacement(reading, effects);
}

void TestRunner::holdingStep(const StepReading& reading, RunnerEffects& effects) {
    const BenchParameters& p = m_parameters;
    if (reading.force < p.upperLoad - p.hysteresis) {
        send(effects, Phase2Down);
    } else if (reading.force > p.upperLoad + p.hysteresis) {
        send(effects, Phase2Up);
    } else {
        send(effects, Stop);
    }
    --m_hold;
    if (m_hold < 0) {
        send(effects, Phase3Up);
        m_state = kUnloading;
        m_cadence = 0;
        log(effects, marked(reading.sampleLine, "<", p.upperDisplacement));
        m_k -= 2;
        setInterval(effects, 2);
    }
    checkUpperDisplacement(reading, effects);
}

void TestRunner::unloadingStep(const StepReading& reading, RunnerEffects& effects) {
    const BenchParameters& p = m_parameters;
    if (m_k * p.forceStep >= reading.force - kDelta) {
        --m_k;
        log(effects, reading.sampleLine);
    }
    if (m_k < 0) {
        m_cadence = 0;
        m_state = kHoldingAfter;
        setInterval(effects, 3);
        m_hold = phaseSteps(p.timeTpo * 60.0L, p.periods[3]);
    }
}

void TestRunner::holdingAfterStep(const StepReading& reading, RunnerEffects& effects) {
    send(effects, Stop);
    --m_hold;
    if (m_hold < 0) {
        log(effects, reading.sampleLine);
        m_state = kFinished;
    }
}

void TestRunner::checkUpperDisplacement(const StepReading& reading, RunnerEffects& effects) {
    if (reading.displacement + kDelta >= m_parameters.upperDisplacement) {
        send(effects, Stop);
        log(effects, marked(reading.sampleLine, ">", m_parameters.upperDisplacement));
        m_state = kFinished;
    }
}

// The end of a test: STOP, then the log (its STOP line included) for the report file, then
// "STOP" in the log after the file.
void TestRunner::finish(RunnerEffects& effects) {
    const RunnerEffects stopped = stop();
    effects.commands += stopped.commands;
    effects.logLines += stopped.logLines;
    effects.stopped = true;
    effects.finished = true;
    effects.reportLog = m_log;
    log(effects, QStringLiteral("STOP"));
}

void TestRunner::cadence(RunnerEffects& effects) {
    if (m_state >= kStarted && m_state <= kUnloading) {
        const int phase = m_state - 1;
        if (m_cadence == 0) {
            m_cadence = cadenceSteps(phase);
        }
        --m_cadence;
    }
    if (m_cadence == 0) {
        effects.plot = true;
    }
}

} // namespace korvanta::bench
