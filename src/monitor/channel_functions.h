#pragma once
// The channel functions: computes one channel's value by its function code over the tick's data.

#include "acquisition/settings_record.h"
#include "acquisition/tick_view.h"
#include "monitor/current_values.h"
#include "monitor/median_store.h"
#include "monitor/moc1fazy.h"
#include "monitor/whole_buffer_means.h"

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

struct ChannelContext {
    const acquisition::SettingsRecord& settings;
    const acquisition::TickView& tick;
    CurrentValues& values;
    Moc1fazy& power;
    MedianStore& median;
    bool zeroChecked; // the "ZERO" check box CheckBox18
    // Whole-buffer means of this tick shared by the "ŚREDNIA" channels; evaluateActiveChannels
    // supplies them to the channels it runs. Without them FunSwitch walks the table itself.
    const WholeBufferMeans* wholeBufferMeans = nullptr;
};

// Computes channel i (0-based) by its function code and stores its value in context.values.
// The value stays unchanged when the code keeps it (a buffer length other than 0 for the
// sums, differences and power), when the code is not one of the 16, and when the channel's
// inputs do not exist in a record: input m outside 1..32 for the table functions, m + 1 above 32
// for the power, m + 4 above 32 for the direction. Operand channels outside 1..64 read as 0.
void FunSwitch(int i, ChannelContext& context);

// Computes every active channel in ascending order, so that a channel referring to a higher one
// sees that one's value of the previous tick.
void evaluateActiveChannels(ChannelContext& context);

} // namespace korvanta::monitor
