#include "monitor/channel_functions.h"
#include "monitor/whole_buffer_means.h"
#include "unit/monitor/monitor_table.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace korvanta::monitor {
namespace {

using testing::MonitorChannels;
using testing::MonitorTable;
using testing::sine;

// Input 1 constant 2.5, input 2 the ramp 0..9 (record j holds j), N 10, newest record 9.
MonitorTable smallTable() {
    MonitorTable t(10, 0);
    for (int j = 0; j < 10; ++j) {
        t.set(j, 1, 2.5F);
        t.set(j, 2, static_cast<float>(j));
    }
    return t;
}

TEST(FunSwitch, MeanRmsCrestAndMedianCodes) {
    MonitorTable t = smallTable();
    const acquisition::TickView tick = t.view();
    MonitorChannels ch;
    ch.channel(1, Mean, 1);
    ch.channel(2, Mean, 2);
    ch.channel(3, Mean, 2, 3);
    ch.channel(4, Rms, 2);
    ch.channel(5, Crest, 0);
    ch.channel(6, Rms, 2, 4);
    ch.channel(7, VibrationRatio, 2);
    ch.channel(8, Mediana, 2);
    ChannelContext c = ch.context(tick);
    for (int i = 0; i < 8; ++i) {
        FunSwitch(i, c);
    }
    EXPECT_DOUBLE_EQ(ch.values[0], 2.5);
    EXPECT_DOUBLE_EQ(ch.values[1], 5.4);
    EXPECT_DOUBLE_EQ(ch.values[2], 8.0);
    EXPECT_NEAR(ch.values[3], 2.7276363, 1e-6);
    EXPECT_NEAR(ch.values[4], 1.3198240, 1e-6); // crest left by channel 4
    EXPECT_NEAR(ch.values[5], 1.1180340, 1e-6);
    EXPECT_EQ(ch.values[6], 0.0);   // N <= 401
    EXPECT_EQ(ch.power.window, 50); // the last of 300, 120, 200, 50
    EXPECT_EQ(ch.values[7], 0.0);   // no median taken yet
    ASSERT_EQ(ch.median.size(), 1u);
    EXPECT_NEAR(ch.median.takeMedian(), 1.8036108, 1e-6);
    FunSwitch(7, c);
    EXPECT_NEAR(ch.values[7], 1.8036108, 1e-6);
}

TEST(FunSwitch, OperandCodesUseTheValuesOfThisMoment) {
    MonitorTable t = smallTable();
    const acquisition::TickView tick = t.view();
    MonitorChannels ch;
    ch.channel(1, Sum2, 0);
    ch.channel(2, Mean, 1);
    ch.channel(3, Difference, 0);
    ch.channel(4, Sum3, 0);
    ch.channel(5, Sum2, 0, 7); // a buffer length keeps the value
    ch.settings->setOperand1(1, 2);
    ch.settings->setOperand2(1, 3);
    ch.settings->setOperand1(3, 2);
    ch.settings->setOperand2(3, 1);
    ch.settings->setOperand1(4, 1);
    ch.settings->setOperand2(4, 2);
    ch.settings->setOperand3(4, 65); // no such channel: 0
    ch.settings->setOperand1(5, 2);
    ch.values[1] = 10; // channel 2 of the previous tick
    ch.values[2] = 4;
    ch.values[4] = -3;
    ChannelContext c = ch.context(tick);
    evaluateActiveChannels(c);
    EXPECT_DOUBLE_EQ(ch.values[0], 14.0);  // previous 10 + previous 4
    EXPECT_DOUBLE_EQ(ch.values[1], 2.5);   // this tick's mean
    EXPECT_DOUBLE_EQ(ch.values[2], -11.5); // 2.5 - 14
    EXPECT_DOUBLE_EQ(ch.values[3], 16.5);  // 14 + 2.5 + 0
    EXPECT_DOUBLE_EQ(ch.values[4], -3.0);
}

TEST(FunSwitch, PowerCodesAndTheirFollowers) {
    MonitorTable t(1000, 0);
    t.fill(1, [](int q) { return sine(230 * std::sqrt(2.0), 50, q, 0.3); });
    t.fill(2, [](int q) { return sine(10 * std::sqrt(2.0), 50, q - 2, 0.3); });
    const acquisition::TickView tick = t.view();
    MonitorChannels ch;
    ch.channel(1, ApparentPower, 0); // before any power channel: the fresh object's 0
    ch.channel(2, TruePower, 1);
    for (int k = 3; k <= 7; ++k) {
        ch.channel(k, ApparentPower + (k - 3), 0);
    }
    ch.channel(8, TruePower, 1, 5); // a buffer length keeps the value
    ch.values[7] = 42;
    ChannelContext c = ch.context(tick);
    evaluateActiveChannels(c);
    const double phase = 2 * M_PI * 2.045 / 20;
    EXPECT_EQ(ch.values[0], 0.0);
    EXPECT_NEAR(ch.values[1], ch.power.S * std::cos(phase), 1e-6);
    EXPECT_NEAR(ch.values[2], ch.values[4] * ch.values[5], 1e-3); // S = U * I
    EXPECT_NEAR(ch.values[3], ch.power.S * std::sin(phase), 1e-6);
    EXPECT_NEAR(ch.values[4], 230.0, 0.5);
    EXPECT_NEAR(ch.values[5], 10.0, 0.05);
    EXPECT_NEAR(ch.values[6], std::cos(phase), 1e-9);
    EXPECT_EQ(ch.values[7], 42.0);
}

TEST(FunSwitch, Direction3fAndAl154) {
    MonitorTable t(1000, 0);
    t.fill(1, [](int q) { return sine(100, 50, q, 0.3); });
    t.fill(3, [](int) { return -1.0; });
    t.fill(5, [](int) { return 2.0; });
    t.control().setAuxCount(5);
    t.control().setAuxValue(3, 7.25F);
    t.control().setAuxValue(0, 1.5F);
    const acquisition::TickView tick = t.view();
    MonitorChannels ch;
    ch.channel(1, Direction3f, 1);
    ch.channel(2, Al154, 3);
    ch.channel(3, Al154, 6); // above auxCount
    ch.channel(4, Al154, -1);
    ch.channel(5, Al154, 0);
    ch.values[2] = ch.values[3] = 9;
    ChannelContext c = ch.context(tick);
    evaluateActiveChannels(c);
    EXPECT_EQ(ch.values[0], -1.0);
    EXPECT_EQ(ch.values[1], 7.25);
    EXPECT_EQ(ch.values[2], 0.0);
    EXPECT_EQ(ch.values[3], 0.0);
    EXPECT_EQ(ch.values[4], 1.5);
    for (const int count : {64, -2, 1000}) { // outside 0..63: no valid value
        t.control().setAuxCount(count);
        ch.values[1] = 9;
        FunSwitch(1, c);
        EXPECT_EQ(ch.values[1], 0.0) << count;
    }
    t.control().setAuxCount(63);
    ch.settings->setInputNumber(2, 70);
    FunSwitch(1, c);
    EXPECT_EQ(ch.values[1], 0.0);
}

TEST(FunSwitch, InputsOutsideTheRecordLeaveTheValueUnchanged) {
    MonitorTable t(50, 0);
    const acquisition::TickView tick = t.view();
    MonitorChannels ch;
    ch.channel(1, Mean, 33);
    ch.channel(2, Mean, 0);
    ch.channel(3, Rms, 33);
    ch.channel(4, VibrationRatio, 40);
    ch.channel(5, Mediana, 33);
    ch.channel(6, TruePower, 32);   // current would be input 33
    ch.channel(7, Direction3f, 29); // m + 4 = 33
    ch.channel(8, Mean, 1000000);
    ch.channel(9, 16, 1); // no such function code
    ch.channel(10, -1, 1);
    ch.values.fill(5);
    ch.power.S = 3;
    ChannelContext c = ch.context(tick);
    evaluateActiveChannels(c);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(ch.values[static_cast<std::size_t>(i)], 5.0) << "channel " << i + 1;
    }
    EXPECT_EQ(ch.power.S, 3.0);
    EXPECT_EQ(ch.median.size(), 0u);
    FunSwitch(-1, c);
    FunSwitch(64, c);
}

TEST(FunSwitch, NoDataGivesTheGuardedResults) {
    MonitorTable t(0, 0);
    const acquisition::TickView tick = t.view();
    MonitorChannels ch;
    ch.channel(1, Mean, 1);
    ch.channel(2, TruePower, 1);
    ch.channel(3, Rms, 1);
    ch.channel(4, Mediana, 1);
    ch.values.fill(5);
    ChannelContext c = ch.context(tick, true);
    evaluateActiveChannels(c);
    EXPECT_EQ(ch.values[0], 0.0);
    EXPECT_EQ(ch.values[1], 0.0);
    EXPECT_EQ(ch.power.periodMs, -1.0);
    EXPECT_EQ(ch.power.delayMs, -1.0);
    EXPECT_EQ(ch.values[2], 0.0);
    EXPECT_EQ(ch.values[3], 0.0);
    EXPECT_EQ(ch.median.size(), 1u);
}

// The shared whole-buffer means must be the walk's own sums, bit for bit, wherever the ring is.
TEST(WholeBufferMeans, EqualsTheWalkOnRandomData) {
    std::mt19937 random(12345);
    std::uniform_real_distribution<float> value(-1000.0F, 1000.0F);
    for (const int r : {0, 1, 2, 500, 996}) {
        MonitorTable t(997, r);
        for (int j = 0; j < t.size(); ++j) {
            for (int m = 1; m <= 32; ++m) {
                t.set(j, m, value(random) * (m % 3 == 0 ? 1e-4F : 1.0F));
            }
        }
        const acquisition::TickView tick = t.view();
        const WholeBufferMeans means(tick);
        Moc1fazy power;
        for (int index = 0; index < 32; ++index) {
            EXPECT_EQ(means.mean(index), power.meanOfBuffer(index, tick)) << r << " " << index;
        }
        EXPECT_EQ(means.mean(32), 0.0);

        MonitorChannels shared;
        MonitorChannels alone;
        for (int k = 1; k <= 64; ++k) {
            shared.channel(k, Mean, (k - 1) % 32 + 1);
            alone.channel(k, Mean, (k - 1) % 32 + 1);
        }
        ChannelContext sharedContext = shared.context(tick);
        evaluateActiveChannels(sharedContext);
        ChannelContext aloneContext = alone.context(tick);
        for (int i = 0; i < 64; ++i) {
            FunSwitch(i, aloneContext);
        }
        EXPECT_EQ(shared.values, alone.values) << r;
    }
}

TEST(WholeBufferMeans, EqualsTheWalkOnTinyRings) {
    for (int n = 1; n <= 4; ++n) {
        for (int r = 0; r < n; ++r) {
            MonitorTable t(n, r);
            for (int j = 0; j < n; ++j) {
                t.set(j, 7, static_cast<float>(1 << j)); // the sum tells which records were seen
            }
            const acquisition::TickView tick = t.view();
            EXPECT_EQ(WholeBufferMeans(tick).mean(6), Moc1fazy().meanOfBuffer(6, tick))
                << n << " " << r;
        }
    }
    MonitorTable none(0, 0);
    EXPECT_EQ(WholeBufferMeans(none.view()).mean(0), 0.0);
}

TEST(MedianStore, OddEvenAndEmpty) {
    MedianStore store;
    EXPECT_EQ(store.takeMedian(), 0.0);
    for (const double v : {3.0, 1.0, 2.0}) {
        store.append(v);
    }
    EXPECT_EQ(store.takeMedian(), 2.0);
    EXPECT_EQ(store.size(), 0u);
    for (const double v : {4.0, 1.0, 3.0, 2.0}) {
        store.append(v);
    }
    EXPECT_EQ(store.takeMedian(), 2.5);
    EXPECT_EQ(store.takeMedian(), 2.5); // empty: the last median stays
    EXPECT_EQ(store.value(), 2.5);
}

} // namespace
} // namespace korvanta::monitor
