#include "monitor/channel_functions.h"

#include "monitor/input_range.h"

#include <QScopeGuard>
#include <algorithm>
#include <cmath>
#include <optional>

namespace korvanta::monitor {
namespace {

using acquisition::SettingsRecord;

// The inputs a table function reads, counted from input m.
constexpr int kPowerSpan = 2;     // voltage m, current m + 1
constexpr int kDirectionSpan = 5; // m + 2 and m + 4 as well

struct Channel {
    int number = 0;     // k, 1..64
    int inputIndex = 0; // m - 1
    std::int64_t bufferLength = 0;
    int code = 0;
};

Channel channelAt(const SettingsRecord& settings, int i) {
    const int k = i + 1;
    return {k, settings.inputNumber(k) - 1, settings.bufferLength(k), settings.functionIndex(k)};
}

double operandValue(const CurrentValues& values, int channelNumber) {
    const bool named = channelNumber >= 1 && channelNumber <= static_cast<int>(values.size());
    return named ? values[static_cast<std::size_t>(channelNumber - 1)] : 0.0;
}

double auxValue(const ChannelContext& c, int m) {
    return m >= 0 && m <= c.tick.control.safeAuxCount() ? c.tick.control.auxValue(m) : 0.0;
}

double wholeBufferMean(const ChannelContext& c, int inputIndex) {
    return c.wholeBufferMeans != nullptr ? c.wholeBufferMeans->mean(inputIndex)
                                         : c.power.meanOfBuffer(inputIndex, c.tick);
}

double smallestVibrationRatio(const ChannelContext& c, int inputIndex) {
    double smallest = 0;
    bool first = true;
    for (const int window : {300, 120, 200, 50}) {
        c.power.window = window;
        c.power.vibrationStats(inputIndex, c.tick);
        smallest = first ? c.power.vRatio : std::min(smallest, c.power.vRatio);
        first = false;
    }
    return smallest;
}

std::optional<double> operandFunction(const ChannelContext& c, const Channel& ch) {
    if (ch.bufferLength != 0) {
        return std::nullopt;
    }
    const auto value = [&](int operand) {
        return operandValue(c.values, operand);
    };
    const int k = ch.number;
    switch (ch.code) {
    case Sum2:
        return value(c.settings.operand1(k)) + value(c.settings.operand2(k));
    case Difference:
        return value(c.settings.operand1(k)) - value(c.settings.operand2(k));
    default: // Sum3
        return value(c.settings.operand1(k)) + value(c.settings.operand2(k)) +
               value(c.settings.operand3(k));
    }
}

std::optional<double> powerFunction(const ChannelContext& c, const Channel& ch) {
    if (ch.code == Direction3f) {
        if (!hasInputs(ch.inputIndex, kDirectionSpan)) {
            return std::nullopt;
        }
        c.power.computePower(ch.inputIndex, c.tick);
        return c.power.direction;
    }
    if (ch.bufferLength != 0 || !hasInputs(ch.inputIndex, kPowerSpan)) {
        return std::nullopt;
    }
    if (c.zeroChecked) {
        c.power.computePowerZeroMean(ch.inputIndex, c.tick);
    } else {
        c.power.computePower(ch.inputIndex, c.tick);
    }
    return c.power.P;
}

// The functions that read one input of the table.
std::optional<double> tableFunction(const ChannelContext& c, const Channel& ch) {
    if (!hasInputs(ch.inputIndex)) {
        return std::nullopt;
    }
    switch (ch.code) {
    case Mean:
        return ch.bufferLength == 0 ? wholeBufferMean(c, ch.inputIndex)
                                    : c.power.meanOfWindow(ch.inputIndex, c.tick, ch.bufferLength);
    case Rms:
        if (ch.bufferLength == 0) {
            c.power.window = 300;
            return c.power.vibrationStats(ch.inputIndex, c.tick);
        }
        return c.power.rmsOfWindow(ch.inputIndex, c.tick, ch.bufferLength);
    case VibrationRatio:
        return smallestVibrationRatio(c, ch.inputIndex);
    default: // Mediana
        c.median.append(c.power.crestOfBuffer(ch.inputIndex, c.tick));
        return c.median.value();
    }
}

std::optional<double> channelValue(const ChannelContext& c, const Channel& ch) {
    switch (ch.code) {
    case Mean:
    case Rms:
    case VibrationRatio:
    case Mediana:
        return tableFunction(c, ch);
    case Sum2:
    case Difference:
    case Sum3:
        return operandFunction(c, ch);
    case TruePower:
    case Direction3f:
        return powerFunction(c, ch);
    case ApparentPower:
        return c.power.S;
    case ReactivePower:
        return c.power.Q;
    case Voltage:
        return c.power.Urms;
    case Current:
        return c.power.Irms;
    case CosPhi:
        return std::cos(c.power.phase);
    case Al154:
        return auxValue(c, ch.inputIndex + 1);
    case Crest:
        return c.power.crest;
    default:
        return std::nullopt;
    }
}

// 1 + the highest active channel index, 0 when none is active.
int activeEnd(const SettingsRecord& settings) {
    for (int i = SettingsRecord::kChannelCount - 1; i >= 0; --i) {
        if (settings.active(i + 1)) {
            return i + 1;
        }
    }
    return 0;
}

// Sharing one walk pays once at least two channels would each walk the whole buffer for a mean.
bool sharedMeansPay(const SettingsRecord& settings, int end) {
    int walks = 0;
    for (int i = 0; i < end; ++i) {
        const Channel ch = channelAt(settings, i);
        if (settings.active(ch.number) && ch.code == Mean && ch.bufferLength == 0 &&
            hasInputs(ch.inputIndex)) {
            ++walks;
        }
    }
    return walks >= 2;
}

} // namespace

void FunSwitch(int i, ChannelContext& context) {
    if (i < 0 || i >= SettingsRecord::kChannelCount) {
        return;
    }
    if (const std::optional<double> value = channelValue(context, channelAt(context.settings, i))) {
        context.values[static_cast<std::size_t>(i)] = *value;
    }
}

void evaluateActiveChannels(ChannelContext& context) {
    const int end = activeEnd(context.settings);
    std::optional<WholeBufferMeans> means;
    ChannelContext tick = context;
    if (tick.wholeBufferMeans == nullptr && sharedMeansPay(tick.settings, end)) {
        tick.wholeBufferMeans = &means.emplace(tick.tick);
    }
    for (int i = 0; i < end; ++i) {
        if (tick.settings.active(i + 1)) {
            FunSwitch(i, tick);
        }
    }
}

} // namespace korvanta::monitor
