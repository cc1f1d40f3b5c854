#pragma once
// A bench run on the monitoring session: START with its zeroing, the test steps, the preparation,
// the idle refresh of "F" and "L", STOP and the press commands. Each step reads the channels
// through the session's Measurements step, watches for stale readings and writes the commands
// into the control block; the window carries out the rest of the returned effects.

#include "bench/bench_parameters.h"
#include "bench/finished_test.h"
#include "bench/frozen_watch.h"
#include "bench/preparation_run.h"
#include "bench/runner_effects.h"
#include "bench/test_runner.h"
#include "common/result.h"
#include "monitor/measurement_step.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace korvanta::monitor {
class MonitoringSession;
}

namespace korvanta::bench {

struct BenchStepInputs {
    monitor::MeasurementInputs measurement; // the window's texts; the zero correction is added
    qint64 monotonicMs = 0;                 // a steady clock for the stale-readings watch
};

struct BenchStepResult {
    monitor::MeasurementResult measurement;
    RunnerEffects effects;
    QString forceText;        // "F" with the force channel's decimals
    QString displacementText; // "L" with the displacement channel's decimals
};

// What the finished-test document needs from the test record window.
struct TestRecordCopy {
    QString reportName;
    QStringList itemNames;
    QStringList itemValues;
};

class BenchRun {
public:
    explicit BenchRun(monitor::MonitoringSession& session);

    // START's checks, in order: the confirmed test record ("Brak wymaganych ustawień"), then the
    // parameters; the reason is the message to show.
    common::Result<> checkStart(bool recordConfirmed) const;
    // START up to its zeroing: state 0, no zero correction, the start time, one test step.
    BenchStepResult startStep(const BenchStepInputs& inputs);
    // The zeros from the values just read; state 1 and a cleared log. The question to ask when
    // an offset is large, else an empty text.
    QString takeZeros();
    // The 0 - t1 down command and the step timer's interval; the stale-readings watch starts.
    RunnerEffects beginLoading(qint64 monotonicMs);
    // One tick of the step timer.
    BenchStepResult testStep(const BenchStepInputs& inputs);

    common::Result<> checkPreparation() const;
    void beginPreparation(qint64 monotonicMs);
    // One tick of the preparation timer.
    BenchStepResult preparationStep(const BenchStepInputs& inputs);

    // The idle timer: the channels and "F"/"L" without saving (the save counter does not move).
    BenchStepResult idleRefresh(BenchStepInputs inputs);

    // STOP: ends a preparation (its buffer length restored) and writes the fixed stop text.
    RunnerEffects stop();
    // Any doubt (a closing path, a refused START): when the press may be moving (a test, a
    // preparation, or a motion command of the program last), the stop text goes out and a
    // preparation ends.
    void stopIfMoving();
    // The force and displacement channels, Max F, Max L and the two extra commands, copied into
    // the control block for the acquisition program.
    void publishParameters();
    // A motion command 0..8 by its button, or RESET's empty text (index -1).
    void sendCommand(int index);

    const TestRunner& runner() const { return m_runner; }
    bool preparationRunning() const { return m_preparation.running(); }
    // The step timer runs: a test between its loading start and STOP, stale readings or its end.
    bool stepping() const { return m_stepping; }
    // The last command the program wrote into the control block.
    const QString& lastCommand() const { return m_lastCommand; }
    const std::vector<TestTracePoint>& trace() const { return m_trace; }

    // The document of the test that just ended (finished or stopped by an alarm).
    FinishedTest finishedTest(const TestRecordCopy& record, double now) const;

private:
    BenchStepResult measure(BenchStepInputs inputs, bool corrected);
    bool readingsStale(const BenchStepInputs& inputs, int stepMs);
    void resetWatch(qint64 monotonicMs);
    BenchStepResult halted(BenchStepResult result, const QString& cause);
    void write(const QStringList& commands);
    void record(double now);
    double channelValue(int channel) const;

    monitor::MonitoringSession& m_session;
    TestRunner m_runner;
    PreparationRun m_preparation;
    FrozenWatch m_watch;
    bool m_stepping = false;
    QString m_lastCommand;
    std::vector<TestTracePoint> m_trace;
    double m_startTime = 0;
    QString m_verdict;
};

} // namespace korvanta::bench
