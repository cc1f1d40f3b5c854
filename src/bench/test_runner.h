#pragma once
// The test state machine of both bench tests: the load test after ZUAT-15 (load in force steps,
// hold at Fmax, unload, hold) and the deformation test (load until Dmax). It decides from the
// zero-corrected force and displacement of each step what to send to the press, what to log,
// when to plot and when the step timer changes; it keeps the log of the test.

#include "bench/bench_parameters.h"
#include "bench/runner_effects.h"

#include <QString>
#include <QStringList>

namespace korvanta::bench {

// What a test step read: the zero-corrected values and the step's sample line.
struct StepReading {
    double force = 0;
    double displacement = 0;
    QString sampleLine;
};

class TestRunner {
public:
    static constexpr double kDelta = 0.0065;
    static constexpr int kIdle = 0;
    static constexpr int kStarted = 1;
    static constexpr int kLoading = 2;
    static constexpr int kHolding = 3;
    static constexpr int kUnloading = 4;
    static constexpr int kHoldingAfter = 5;
    static constexpr int kFinished = 6;
    static constexpr int kAlarm = 7;

    // The fixed text of the STOP button.
    static QString stopText() { return QStringLiteral("#1 x0;0 y0;0 &"); }
    static QString stopLogLine() { return QStringLiteral("Wciśnięto klawisz STOP."); }

    // START, before its first step: state 0, no zero correction.
    void begin(const BenchParameters& parameters);
    // START after its first step: the zeros are the values read, state 1, the log is cleared.
    // Returns the question to ask when an offset is large, else an empty text.
    QString takeZeros(double force, double displacement);
    // START's last step: the 0 - t1 down command and the step timer's interval.
    RunnerEffects beginLoading();
    // One step of the step timer (and START's first step).
    RunnerEffects step(const StepReading& reading);
    // STOP: the fixed stop text, "Wciśnięto klawisz STOP."; the state stays.
    RunnerEffects stop();
    // Stops the press for a cause outside the test (stale readings): the stop command, state 7,
    // the cause and "STOP" in the log.
    RunnerEffects halt(const QString& cause);

    int state() const { return m_state; }
    // States 1 to 5: the press is driven by the test.
    bool inTest() const { return m_state >= kStarted && m_state <= kHoldingAfter; }
    double forceZero() const { return m_forceZero; }
    double displacementZero() const { return m_displacementZero; }
    int stepCounter() const { return m_k; }
    int holdCountdown() const { return m_hold; }
    int cadenceCountdown() const { return m_cadence; }
    int interval() const { return m_interval; }
    const BenchParameters& parameters() const { return m_parameters; }
    // The log since the last START.
    const QStringList& log() const { return m_log; }

private:
    void log(RunnerEffects& effects, const QString& line);
    void send(RunnerEffects& effects, MotionCommand command);
    void setInterval(RunnerEffects& effects, int phase);
    int cadenceSteps(int phase) const;
    void checkAlarms(const StepReading& reading, RunnerEffects& effects);
    void resetCounters();
    void stateStep(const StepReading& reading, RunnerEffects& effects);
    void loadTestStep(const StepReading& reading, RunnerEffects& effects);
    void deformationLoadingStep(const StepReading& reading, RunnerEffects& effects);
    void logForceStep(const StepReading& reading, RunnerEffects& effects);
    void loadingStep(const StepReading& reading, RunnerEffects& effects);
    void holdingStep(const StepReading& reading, RunnerEffects& effects);
    void unloadingStep(const StepReading& reading, RunnerEffects& effects);
    void holdingAfterStep(const StepReading& reading, RunnerEffects& effects);
    void checkUpperDisplacement(const StepReading& reading, RunnerEffects& effects);
    void finish(RunnerEffects& effects);
    void cadence(RunnerEffects& effects);
    void enterAlarm(RunnerEffects& effects, const QString& cause);

    BenchParameters m_parameters;
    int m_state = kIdle;
    double m_forceZero = 0;
    double m_displacementZero = 0;
    int m_k = 0;
    int m_hold = 0;
    int m_cadence = 0;
    int m_interval = 0;
    bool m_firstStep = true;
    bool m_countersReset = false;
    QStringList m_log;
};

// A number in general format, up to 15 significant digits ("10", "0.5", "12.3000001907349").
QString generalNumber(double value);

} // namespace korvanta::bench
