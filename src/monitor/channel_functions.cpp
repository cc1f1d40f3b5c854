#include "monitor/channel_functions.h"

#include "monitor/channel_reads.h"
#include "monitor/fused_tick.h"

namespace korvanta::monitor {
namespace {

// Each computation walks the table itself, through Moc1fazy.
class WalkingEngine : public ChannelReads {
public:
    using ChannelReads::ChannelReads;

    double meanOfBuffer(int inputIndex) const {
        const WholeBufferMeans* means = m_context.wholeBufferMeans;
        return means != nullptr ? means->mean(inputIndex)
                                : m_context.power.meanOfBuffer(inputIndex, m_context.tick);
    }
    double meanOfWindow(int inputIndex, std::int64_t L) const {
        return m_context.power.meanOfWindow(inputIndex, m_context.tick, L);
    }
    double rmsOfWindow(int inputIndex, std::int64_t L) {
        return m_context.power.rmsOfWindow(inputIndex, m_context.tick, L);
    }
    double vibrationStats(int inputIndex, int window) {
        m_context.power.window = window;
        return m_context.power.vibrationStats(inputIndex, m_context.tick);
    }
    double crestOfBuffer(int inputIndex) {
        return m_context.power.crestOfBuffer(inputIndex, m_context.tick);
    }
    void computePower(int inputIndex) { m_context.power.computePower(inputIndex, m_context.tick); }
    void computePowerZeroMean(int inputIndex) {
        m_context.power.computePowerZeroMean(inputIndex, m_context.tick);
    }
};

} // namespace

void FunSwitch(int i, ChannelContext& context) {
    if (i < 0 || i >= acquisition::SettingsRecord::kChannelCount) {
        return;
    }
    WalkingEngine engine(context);
    const dispatch::Channel channel = dispatch::channelAt(context.settings, i);
    if (const std::optional<double> value = dispatch::channelValue(engine, channel)) {
        context.values[static_cast<std::size_t>(i)] = *value;
    }
}

void evaluateActiveChannels(ChannelContext& context, int highestInput) {
    evaluateFused(context, highestInput);
}

} // namespace korvanta::monitor
