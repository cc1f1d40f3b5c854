#pragma once
// The channels of a tick computed over a few shared walks of the table.

#include "monitor/channel_functions.h"

namespace korvanta::monitor {

// Notes the table computations of every active channel in ascending order, does them all in
// TickWalks, then runs the channels again in the same order taking each computation's result,
// so that the values, the Moc1fazy fields and the median store end exactly as FunSwitch on each
// active channel in turn leaves them. Channels whose input number is above `highestInput` are
// left out.
void evaluateFused(ChannelContext& context, int highestInput);

} // namespace korvanta::monitor
