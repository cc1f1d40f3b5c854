#pragma once
// What a channel reads of the tick's state besides the table, and the median store it appends
// to: shared by the engines of the channel dispatch that run on the window's real state.

#include "monitor/channel_functions.h"

namespace korvanta::monitor {

class ChannelReads {
public:
    explicit ChannelReads(ChannelContext& context) : m_context(context) {}

    const acquisition::SettingsRecord& settings() const { return m_context.settings; }
    bool zeroChecked() const { return m_context.zeroChecked; }
    const Moc1fazy& power() const { return m_context.power; }

    // The current value of channel k (1-based); 0 for a number outside 1..64.
    double operandValue(int channelNumber) const {
        const bool named =
            channelNumber >= 1 && channelNumber <= static_cast<int>(m_context.values.size());
        return named ? m_context.values[static_cast<std::size_t>(channelNumber - 1)] : 0.0;
    }

    double auxValue(int m) const {
        const acquisition::ControlBlock& control = m_context.tick.control;
        return m >= 0 && m <= control.safeAuxCount() ? control.auxValue(m) : 0.0;
    }

    double appendToMedian(double value) {
        m_context.median.append(value);
        return m_context.median.value();
    }

protected:
    ChannelContext& m_context;
};

} // namespace korvanta::monitor
