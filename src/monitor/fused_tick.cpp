#include "monitor/fused_tick.h"

#include "monitor/channel_reads.h"
#include "monitor/planned_walk.h"
#include "monitor/tick_walks.h"

#include <vector>

namespace korvanta::monitor {
namespace {

using acquisition::SettingsRecord;

// Notes each table computation the dispatch asks for. The values it hands back are never stored:
// which computations a channel asks for depends only on its settings, not on any value.
class PlanningEngine {
public:
    PlanningEngine(const ChannelContext& context, std::vector<PlannedWalk>& walks)
        : m_settings(context.settings), m_zeroChecked(context.zeroChecked), m_walks(walks) {}

    const SettingsRecord& settings() const { return m_settings; }
    bool zeroChecked() const { return m_zeroChecked; }
    const Moc1fazy& power() const { return m_power; }
    double operandValue(int) const { return 0; }
    double auxValue(int) const { return 0; }
    double appendToMedian(double) { return 0; }

    double meanOfBuffer(int inputIndex) { return note(WalkKind::MeanOfBuffer, inputIndex); }
    double meanOfWindow(int inputIndex, std::int64_t L) {
        return note(WalkKind::MeanOfWindow, inputIndex, L);
    }
    double rmsOfWindow(int inputIndex, std::int64_t L) {
        return note(WalkKind::RmsOfWindow, inputIndex, L);
    }
    double vibrationStats(int inputIndex, int window) {
        return note(WalkKind::VibrationStats, inputIndex, window);
    }
    double crestOfBuffer(int inputIndex) { return note(WalkKind::CrestOfBuffer, inputIndex); }
    void computePower(int inputIndex) { note(WalkKind::Power, inputIndex); }
    void computePowerZeroMean(int inputIndex) { note(WalkKind::PowerZeroMean, inputIndex); }

private:
    double note(WalkKind kind, int inputIndex, std::int64_t length = 0) {
        m_walks.push_back({kind, inputIndex, length});
        return 0;
    }

    const SettingsRecord& m_settings;
    bool m_zeroChecked;
    std::vector<PlannedWalk>& m_walks;
    Moc1fazy m_power;
};

// Takes the results of the walks in the order they were noted and finishes each computation on
// the window's Moc1fazy, as the computation itself would.
class ReplayEngine : public ChannelReads {
public:
    ReplayEngine(ChannelContext& context, const TickWalks& walks)
        : ChannelReads(context), m_walks(walks), m_n(walks.recordCount()) {}

    double meanOfBuffer(int) { return m_walks.mean(m_next++); }
    double meanOfWindow(int, std::int64_t) { return m_walks.mean(m_next++); }
    double rmsOfWindow(int, std::int64_t L) {
        return shared().takeDeviations(m_walks.deviations(m_next++), static_cast<double>(L),
                                       m_n > 0);
    }
    double vibrationStats(int, int window) {
        shared().window = window > 0 ? window : 50;
        return shared().takeVibration(m_walks.vibration(m_next++), m_n);
    }
    double crestOfBuffer(int) {
        shared().takeDeviations(m_walks.deviations(m_next++), m_n, m_n > 0);
        return shared().crest;
    }
    void computePower(int) { m_walks.power(m_next++).finish(shared(), m_n); }
    void computePowerZeroMean(int) { m_walks.power(m_next++).finish(shared(), m_n); }

private:
    Moc1fazy& shared() { return m_context.power; }

    const TickWalks& m_walks;
    int m_n;
    std::size_t m_next = 0;
};

template <typename Engine, typename Store>
void runActiveChannels(const SettingsRecord& settings, int highestInput, Engine& engine,
                       Store&& store) {
    for (int i = 0; i < SettingsRecord::kChannelCount; ++i) {
        if (settings.active(i + 1) && settings.inputNumber(i + 1) <= highestInput) {
            store(i, dispatch::channelValue(engine, dispatch::channelAt(settings, i)));
        }
    }
}

} // namespace

void evaluateFused(ChannelContext& context, int highestInput) {
    std::vector<PlannedWalk> planned;
    PlanningEngine planning(context, planned);
    runActiveChannels(context.settings, highestInput, planning,
                      [](int, const std::optional<double>&) {});
    const TickWalks walks(context.tick, planned, context.power.movingAverageCarry);
    ReplayEngine replay(context, walks);
    runActiveChannels(context.settings, highestInput, replay,
                      [&](int i, const std::optional<double>& value) {
                          if (value) {
                              context.values[static_cast<std::size_t>(i)] = *value;
                          }
                      });
}

} // namespace korvanta::monitor
