#pragma once
// The preparation run before a test: lower the pusher until the preparation force, stop, raise it
// for the retraction time, stop. While it runs the force channel reads with the preparation's
// buffer length; the channel's own length comes back however the run ends.

#include "acquisition/settings_record.h"
#include "bench/bench_parameters.h"
#include "bench/runner_effects.h"

#include <optional>

namespace korvanta::bench {

class PreparationRun {
public:
    static constexpr int kInterval = 100; // the preparation timer [ms]

    // PRZYGOTUJ: the next tick opens the run.
    void begin(const BenchParameters& parameters);
    // One tick, after its Measurements step has read `force` (the force channel's value).
    RunnerEffects tick(acquisition::SettingsRecord& settings, double force);
    // Ends a running preparation (STOP, stale readings, closing) and gives the force channel
    // its own buffer length back. False when none was running.
    bool end(acquisition::SettingsRecord& settings);

    bool running() const { return m_running; }
    int step() const { return m_step; }
    int elapsedMs() const { return m_elapsedMs; }

private:
    void open(acquisition::SettingsRecord& settings, RunnerEffects& effects);
    void restoreBufferLength(acquisition::SettingsRecord& settings);
    void send(RunnerEffects& effects, MotionCommand command) const;

    BenchParameters m_parameters;
    bool m_running = false;
    bool m_opening = false;
    int m_step = 0;
    int m_elapsedMs = 0;
    std::optional<int> m_savedBufferLength;
};

} // namespace korvanta::bench
