#include "monitor/backward_walk.h"
#include "monitor/moc1fazy.h"
#include "unit/monitor/monitor_table.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace korvanta::monitor {
namespace {

using testing::MonitorTable;
using testing::sine;

std::vector<int> visits(MonitorTable& t, int count) {
    std::vector<int> seen;
    walkBack(t.view(), count, [&](int i) { seen.push_back(i); });
    return seen;
}

// Record j holds j on input 1.
MonitorTable ramp(int n, int r) {
    MonitorTable t(n, r);
    for (int j = 0; j < n; ++j) {
        t.set(j, 1, static_cast<float>(j));
    }
    return t;
}

TEST(BackwardWalk, StepsNeverReachRecordZeroAndWrapToTheLastRecord) {
    MonitorTable fromEnd(6, 0); // newest is record 5
    EXPECT_EQ(visits(fromEnd, 6), (std::vector<int>{5, 4, 3, 2, 1, 5}));
    MonitorTable inside(6, 3);
    EXPECT_EQ(visits(inside, 6), (std::vector<int>{2, 1, 5, 4, 3, 2}));
    MonitorTable fromZero(6, 1); // record 0 is visited only as the start
    EXPECT_EQ(visits(fromZero, 8), (std::vector<int>{0, 5, 4, 3, 2, 1, 5, 4}));
    MonitorTable empty(0, 0);
    EXPECT_TRUE(visits(empty, 3).empty());
}

TEST(Moc1fazy, MeansFollowTheWalk) {
    Moc1fazy power;
    MonitorTable r0 = ramp(10, 0);
    EXPECT_DOUBLE_EQ(power.meanOfBuffer(0, r0.view()), 5.4);           // 9..1 and 9 again
    EXPECT_DOUBLE_EQ(power.meanOfWindow(0, r0.view(), 3), 8.0);        // 9, 8, 7
    EXPECT_DOUBLE_EQ(power.meanOfWindow(0, r0.view(), 12), 69.0 / 12); // around again: 9, 8, 7
    EXPECT_DOUBLE_EQ(power.meanOfWindow(0, r0.view(), 0), 0.0);
    EXPECT_DOUBLE_EQ(power.meanOfWindow(0, r0.view(), -4), 0.0);
    MonitorTable r4 = ramp(10, 4);
    EXPECT_DOUBLE_EQ(power.meanOfBuffer(0, r4.view()), 4.8); // 3 counted twice
    MonitorTable r1 = ramp(10, 1);
    EXPECT_DOUBLE_EQ(power.meanOfBuffer(0, r1.view()), 4.5); // every record once
    MonitorTable none(0, 0);
    EXPECT_DOUBLE_EQ(power.meanOfBuffer(0, none.view()), 0.0);
    EXPECT_DOUBLE_EQ(power.meanOfWindow(0, none.view(), 5), 0.0);
}

// 402 records 1 s apart, all 0 but record 200 = 402: the mean is 1, the one deviation 401 falls
// at visit 201, the only visit inside the peak region. With a window of 2 the moving average
// trails the integral by half a step, so e = d / 2 after the first visit.
TEST(Moc1fazy, VibrationStatsWorkedSpike) {
    MonitorTable t(402, 0, 1.0 / 86400);
    t.set(200, 1, 402.0F);
    Moc1fazy power;
    power.window = 2;
    EXPECT_NEAR(power.vibrationStats(0, t.view()), std::sqrt(401.0), 1e-9);
    EXPECT_NEAR(power.crest, 401.0 / std::sqrt(401.0), 1e-9);
    EXPECT_NEAR(power.vRatio, 200.5 / std::sqrt(40301.25 / 402), 1e-9);
    EXPECT_NEAR(power.movingAverageCarry, 0.5, 1e-9);
    // The carried average now starts the next computation: e at visit 0 is -1 - 0.5.
    power.vibrationStats(0, t.view());
    EXPECT_NEAR(power.vRatio, 200.5 / std::sqrt(40302.5 / 402), 1e-9);

    MonitorTable shorter(401, 0, 1.0 / 86400);
    shorter.set(200, 1, 401.0F);
    power.window = 0;
    power.vibrationStats(0, shorter.view());
    EXPECT_EQ(power.window, 50);
    EXPECT_EQ(power.vRatio, 0.0);
}

// 1000 samples at 1 kHz, 50 periods of 50 Hz, the ring starting at record 250.
MonitorTable mains(double currentLagMs, double hz = 50, double offsetU = 0) {
    MonitorTable t(1000, 250);
    t.fill(1, [&](int q) { return offsetU + sine(230 * std::sqrt(2.0), hz, q, 0.3); });
    t.fill(2, [&](int q) { return sine(10 * std::sqrt(2.0), hz, q - currentLagMs, 0.3); });
    return t;
}

TEST(Moc1fazy, PowerOfSinesInAndOutOfPhase) {
    Moc1fazy power;
    MonitorTable inPhase = mains(0);
    power.computePower(0, inPhase.view());
    EXPECT_NEAR(power.Urms, 230.0, 0.5);
    EXPECT_NEAR(power.Irms, 10.0, 0.05);
    EXPECT_NEAR(power.periodMs, 20.0, 1e-6);
    EXPECT_NEAR(power.frequencyHz, 50.0, 1e-6);
    EXPECT_NEAR(power.delayMs, 0.045, 1e-6);
    EXPECT_NEAR(power.phase, 2 * M_PI * 0.045 / 20, 1e-9);
    EXPECT_NEAR(power.S, double(power.Urms) * power.Irms, 1e-9);
    EXPECT_NEAR(power.P, power.S * std::cos(2 * M_PI * 0.045 / 20), 1e-6);
    EXPECT_NEAR(power.Q, power.S * std::sin(2 * M_PI * 0.045 / 20), 1e-6);

    // A current 2 ms late crosses 18 ms before the next voltage crossing: period - |delta|.
    MonitorTable lagging = mains(2);
    power.computePower(0, lagging.view());
    EXPECT_NEAR(power.delayMs, 2.045, 1e-6);
    EXPECT_NEAR(power.phaseDegrees, 36.81, 1e-6);
    EXPECT_NEAR(power.P, power.S * std::cos(2 * M_PI * 2.045 / 20), 1e-6);

    MonitorTable leading = mains(-2);
    power.computePower(0, leading.view());
    EXPECT_NEAR(power.delayMs, -1.955, 1e-6);
}

TEST(Moc1fazy, PowerWithoutPairingKeepsThePhase) {
    Moc1fazy fresh;
    MonitorTable steadyCurrent = mains(0);
    steadyCurrent.fill(2, [](int) { return 5.0; });
    fresh.computePower(0, steadyCurrent.view());
    EXPECT_EQ(fresh.delayMs, -1.0);
    EXPECT_NEAR(fresh.Irms, 5.0 * std::sqrt(0.999), 1e-5); // 999 samples over 1000
    EXPECT_DOUBLE_EQ(fresh.P, fresh.S);
    EXPECT_DOUBLE_EQ(fresh.Q, 0.0);

    Moc1fazy power;
    power.phase = 0.5;
    MonitorTable fast = mains(0, 125); // 8 ms periods: no pairing at 10 ms or less
    power.computePower(0, fast.view());
    EXPECT_NEAR(power.periodMs, 8.0, 1e-6);
    EXPECT_EQ(power.delayMs, -1.0);
    EXPECT_EQ(power.phase, 0.5);
    EXPECT_NEAR(power.P, power.S * std::cos(0.5), 1e-9);

    MonitorTable none(0, 0);
    power.computePower(0, none.view());
    EXPECT_EQ(power.periodMs, -1.0);
    EXPECT_EQ(power.delayMs, -1.0);
    EXPECT_EQ(power.Urms, 0.0F);
    EXPECT_EQ(power.S, 0.0);
    EXPECT_EQ(power.tU, -1.0);
    EXPECT_EQ(power.tI, -1.0);
}

TEST(Moc1fazy, ZeroMeanPowerFindsCrossingsOfAnOffsetVoltage) {
    MonitorTable offset = mains(0, 50, 400); // the voltage never goes below 74 V
    Moc1fazy plain;
    plain.computePower(0, offset.view());
    EXPECT_EQ(plain.periodMs, -1.0);
    EXPECT_NEAR(plain.Urms, std::sqrt(400.0 * 400 + 230 * 230), 1.0);
    Moc1fazy zero;
    zero.computePowerZeroMean(0, offset.view());
    EXPECT_NEAR(zero.periodMs, 20.0, 1e-3);
    EXPECT_NEAR(zero.Urms, 230.0, 0.5);
    EXPECT_NEAR(zero.delayMs, 0.045, 1e-3);
}

TEST(Moc1fazy, DirectionAtTheLastVoltageCrossing) {
    MonitorTable t = mains(0);
    t.fill(3, [](int q) { return q < 500 ? 1.0 : -2.0; });
    t.fill(5, [](int q) { return q < 500 ? -1.0 : 3.0; });
    Moc1fazy power;
    power.computePower(0, t.view());
    EXPECT_EQ(power.direction, -1.0F);
    t.fill(3, [](int q) { return q < 500 ? -1.0 : 1.0; });
    t.fill(5, [](int q) { return q < 500 ? 1.0 : -3.0; });
    power.computePower(0, t.view());
    EXPECT_EQ(power.direction, 1.0F);
    t.fill(5, [](int) { return 4.0; }); // same signs
    power.computePower(0, t.view());
    EXPECT_EQ(power.direction, 0.0F);
    t.fill(3, [](int) { return -1.0; });
    t.fill(5, [](int) { return 0.0; }); // a zero input
    power.direction = 1.0F;
    power.computePower(0, t.view());
    EXPECT_EQ(power.direction, 0.0F);
}

TEST(Moc1fazy, InputsOutsideTheRecordReadNothing) {
    MonitorTable t = mains(0);
    Moc1fazy power;
    power.S = 7;
    power.direction = 1.0F;
    EXPECT_EQ(power.meanOfBuffer(32, t.view()), 0.0);
    EXPECT_EQ(power.meanOfBuffer(-1, t.view()), 0.0);
    EXPECT_EQ(power.rmsOfWindow(40, t.view(), 10), 0.0);
    EXPECT_EQ(power.vibrationStats(32, t.view()), 0.0);
    EXPECT_EQ(power.crestOfBuffer(32, t.view()), 0.0);
    power.computePower(31, t.view()); // the current would be input 33
    power.computePowerZeroMean(31, t.view());
    EXPECT_EQ(power.S, 7.0);
    // Voltage 31 and current 32 exist, the direction inputs 33 and 35 do not.
    t.fill(31, [](int q) { return sine(100, 50, q, 0.3); });
    t.fill(32, [](int q) { return sine(1, 50, q, 0.3); });
    power.computePower(30, t.view());
    EXPECT_NEAR(power.periodMs, 20.0, 1e-6);
    EXPECT_EQ(power.direction, 1.0F);
}

} // namespace
} // namespace korvanta::monitor
