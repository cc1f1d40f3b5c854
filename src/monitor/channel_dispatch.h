#pragma once
// The dispatch of one channel by its function code, written once over an engine that either
// walks the table for each computation (FunSwitch), notes the walks a tick needs, or serves the
// results of a fused walk: every engine sees the same computations in the same order.
//
// An engine provides the reads (settings(), zeroChecked(), operandValue(k), auxValue(m),
// power()), the table computations (meanOfBuffer, meanOfWindow, rmsOfWindow, vibrationStats with
// its window, crestOfBuffer, computePower, computePowerZeroMean) with Moc1fazy's meaning, and
// appendToMedian, which stores a value and returns the last median.

#include "acquisition/settings_record.h"
#include "monitor/input_range.h"
#include "monitor/moc1fazy.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <optional>

namespace korvanta::monitor {

// The item indexes of the function list ComboBox1.
enum FunctionCode : int {
    Mean = 0,
    Sum2 = 1,
    Difference = 2,
    Rms = 3,
    TruePower = 4,
    ApparentPower = 5,
    ReactivePower = 6,
    Voltage = 7,
    Current = 8,
    CosPhi = 9,
    Sum3 = 10,
    Al154 = 11,
    Crest = 12,
    VibrationRatio = 13,
    Direction3f = 14,
    Mediana = 15,
};

namespace dispatch {

// The inputs a table function reads, counted from input m.
constexpr int kPowerSpan = 2;     // voltage m, current m + 1
constexpr int kDirectionSpan = 5; // m + 2 and m + 4 as well

struct Channel {
    int number = 0;     // k, 1..64
    int inputIndex = 0; // m - 1
    std::int64_t bufferLength = 0;
    int code = 0;
};

// m - 1, except that the smallest int stays itself: it has no int one below it, and as an index
// it names no input just the same.
inline Channel channelAt(const acquisition::SettingsRecord& settings, int i) {
    const int k = i + 1;
    const int input = std::max(settings.inputNumber(k), INT_MIN + 1);
    return {k, input - 1, settings.bufferLength(k), settings.functionIndex(k)};
}

template <typename Engine> double smallestVibrationRatio(Engine& e, int inputIndex) {
    double smallest = 0;
    bool first = true;
    for (const int window : {300, 120, 200, 50}) {
        e.vibrationStats(inputIndex, window);
        smallest = first ? e.power().vRatio : std::min(smallest, e.power().vRatio);
        first = false;
    }
    return smallest;
}

template <typename Engine> std::optional<double> operandFunction(Engine& e, const Channel& ch) {
    if (ch.bufferLength != 0) {
        return std::nullopt;
    }
    const auto& settings = e.settings();
    const int k = ch.number;
    const double a = e.operandValue(settings.operand1(k));
    const double b = e.operandValue(settings.operand2(k));
    switch (ch.code) {
    case Sum2:
        return a + b;
    case Difference:
        return a - b;
    default: // Sum3
        return a + b + e.operandValue(settings.operand3(k));
    }
}

template <typename Engine> std::optional<double> powerFunction(Engine& e, const Channel& ch) {
    if (ch.code == Direction3f) {
        if (!hasInputs(ch.inputIndex, kDirectionSpan)) {
            return std::nullopt;
        }
        e.computePower(ch.inputIndex);
        return e.power().direction;
    }
    if (ch.bufferLength != 0 || !hasInputs(ch.inputIndex, kPowerSpan)) {
        return std::nullopt;
    }
    if (e.zeroChecked()) {
        e.computePowerZeroMean(ch.inputIndex);
    } else {
        e.computePower(ch.inputIndex);
    }
    return e.power().P;
}

// The functions that read one input of the table.
template <typename Engine> std::optional<double> tableFunction(Engine& e, const Channel& ch) {
    if (!hasInputs(ch.inputIndex)) {
        return std::nullopt;
    }
    switch (ch.code) {
    case Mean:
        return ch.bufferLength == 0 ? e.meanOfBuffer(ch.inputIndex)
                                    : e.meanOfWindow(ch.inputIndex, ch.bufferLength);
    case Rms:
        return ch.bufferLength == 0 ? e.vibrationStats(ch.inputIndex, 300)
                                    : e.rmsOfWindow(ch.inputIndex, ch.bufferLength);
    case VibrationRatio:
        return smallestVibrationRatio(e, ch.inputIndex);
    default: // Mediana
        return e.appendToMedian(e.crestOfBuffer(ch.inputIndex));
    }
}

// The value channel ch takes, or none when it keeps its value.
template <typename Engine> std::optional<double> channelValue(Engine& e, const Channel& ch) {
    switch (ch.code) {
    case Mean:
    case Rms:
    case VibrationRatio:
    case Mediana:
        return tableFunction(e, ch);
    case Sum2:
    case Difference:
    case Sum3:
        return operandFunction(e, ch);
    case TruePower:
    case Direction3f:
        return powerFunction(e, ch);
    case ApparentPower:
        return e.power().S;
    case ReactivePower:
        return e.power().Q;
    case Voltage:
        return e.power().Urms;
    case Current:
        return e.power().Irms;
    case CosPhi:
        return std::cos(e.power().phase);
    case Al154:
        return e.auxValue(ch.inputIndex + 1);
    case Crest:
        return e.power().crest;
    default:
        return std::nullopt;
    }
}

} // namespace dispatch
} // namespace korvanta::monitor
