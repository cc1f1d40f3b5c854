#include "acquisition/settings_file.h"
#include "monitor/channel_dispatch.h"
#include "monitor/channel_functions.h"
#include "monitor_table.h"

#include <climits>
#include <gtest/gtest.h>

using namespace korvanta;

// A settings file whose channel 6 has input number INT_MIN: its input index was computed as
// INT_MIN - 1, an overflow that in practice gave the largest int.
TEST(HostileSettings, SmallestInputNumberNamesNoInput) {
    korvanta::testing::MonitorChannels channels;
    ASSERT_TRUE(acquisition::readSettingsDump(
        QStringLiteral(KORVANTA_TEST_DATA "/settings/smallest_input_number.sett"),
        *channels.settings));
    ASSERT_EQ(channels.settings->inputNumber(6), INT_MIN);
    EXPECT_EQ(monitor::dispatch::channelAt(*channels.settings, 5).inputIndex, INT_MIN);
    EXPECT_EQ(monitor::dispatch::channelAt(*channels.settings, 0).inputIndex, -1);

    channels.settings->setInputNumber(1, 3);
    EXPECT_EQ(monitor::dispatch::channelAt(*channels.settings, 0).inputIndex, 2);
    channels.settings->setInputNumber(1, INT_MIN + 1);
    EXPECT_EQ(monitor::dispatch::channelAt(*channels.settings, 0).inputIndex, INT_MIN);

    // The channel's value stays as it was: no record has such an input.
    channels.settings->setFunctionIndex(6, monitor::Mean);
    channels.settings->setBufferLength(6, 0);
    korvanta::testing::MonitorTable table(4);
    table.fill(1, [](int q) { return q + 1.0; });
    channels.values[5] = 7.5;
    const acquisition::TickView tick = table.view();
    auto context = channels.context(tick);
    monitor::FunSwitch(5, context);
    EXPECT_EQ(channels.values[5], 7.5);
    monitor::evaluateActiveChannels(context);
    EXPECT_EQ(channels.values[5], 7.5);
}
