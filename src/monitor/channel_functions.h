#pragma once
// The channel functions: computes one channel's value by its function code over the tick's data.

#include "acquisition/settings_record.h"
#include "acquisition/tick_view.h"
#include "monitor/channel_dispatch.h"
#include "monitor/current_values.h"
#include "monitor/median_store.h"
#include "monitor/moc1fazy.h"
#include "monitor/whole_buffer_means.h"

#include <climits>

namespace korvanta::monitor {

struct ChannelContext {
    const acquisition::SettingsRecord& settings;
    const acquisition::TickView& tick;
    CurrentValues& values;
    Moc1fazy& power;
    MedianStore& median;
    bool zeroChecked; // the "ZERO" check box CheckBox18
    // Whole-buffer means of this tick for the "ŚREDNIA" channels of FunSwitch; without them
    // FunSwitch walks the table itself. evaluateActiveChannels finds its means in its own walk.
    const WholeBufferMeans* wholeBufferMeans = nullptr;
};

// Computes channel i (0-based) by its function code and stores its value in context.values.
// The value stays unchanged when the code keeps it (a buffer length other than 0 for the
// sums, differences and power), when the code is not one of the 16, and when the channel's
// inputs do not exist in a record: input m outside 1..32 for the table functions, m + 1 above 32
// for the power, m + 4 above 32 for the direction. Operand channels outside 1..64 read as 0.
void FunSwitch(int i, ChannelContext& context);

// Computes every active channel in ascending order, so that a channel referring to a higher one
// sees that one's value of the previous tick. The values, the Moc1fazy fields and the median
// store end exactly as FunSwitch on each active channel in turn leaves them, but the table is
// walked a few times for the whole tick instead of once or more for each channel. A channel whose
// input number is above `highestInput` is skipped and keeps its value.
void evaluateActiveChannels(ChannelContext& context, int highestInput = INT_MAX);

} // namespace korvanta::monitor
