// The bench test state machine against scripted force and displacement sequences.

#include "bench/test_runner.h"

#include <gtest/gtest.h>

namespace korvanta::bench {
namespace {

const QString kUp = QStringLiteral("#1 x0;0 y250;250 &");
const QString kStop = QStringLiteral("#1 x0;0 y0;0 &");
const QString kDown = QStringLiteral("#1 x250;250 y0;0 &");

BenchParameters loadTest() {
    BenchParameters p;
    p.type = TestType::Load;
    p.upperLoad = 10;
    p.forceStep = 2;
    p.upperDisplacement = 50;
    p.hysteresis = 0.5;
    p.timeTo = 0;
    p.timeTpo = 0;
    p.cadences = {2, 2, 2, 2};
    p.periods = {0.5, 1.0, 0.3, 30.0};
    p.maxForce = 20;
    p.maxDisplacement = 60;
    // Distinct texts per command, so a test can tell which one went out.
    for (int c = 0; c < 9; ++c) {
        p.commands[static_cast<std::size_t>(c)] = QStringLiteral("cmd%1").arg(c);
    }
    return p;
}

class Runner : public ::testing::Test {
protected:
    // START with zero offsets of 0; the step of START itself and the loading start.
    void start(const BenchParameters& p) {
        m_runner.begin(p);
        m_runner.step(reading(0, 0));
        EXPECT_TRUE(m_runner.takeZeros(0, 0).isEmpty());
        const RunnerEffects loading = m_runner.beginLoading();
        EXPECT_EQ(loading.commands, QStringList{p.command(Phase1Down)});
        EXPECT_EQ(loading.timerInterval, std::optional<int>(500));
    }
    static StepReading reading(double force, double displacement) {
        return {force, displacement,
                QStringLiteral("00:00:01.000 %1 %2").arg(force).arg(displacement)};
    }
    RunnerEffects step(double force, double displacement = 1) {
        return m_runner.step(reading(force, displacement));
    }
    // Loads in 0.5 kN increments until the state leaves loading; the forces of the logged lines.
    QStringList loadUntilHold() {
        QStringList logged;
        for (double f = 0; m_runner.state() <= TestRunner::kLoading && f < 30; f += 0.5) {
            for (const QString& line : step(f).logLines) {
                logged << line.section(QLatin1Char(' '), 1, 1);
            }
        }
        return logged;
    }

    TestRunner m_runner;
};

TEST_F(Runner, LoadTestLogsEachForceStepAndHoldsWhenTheStepCountPassesFmax) {
    start(loadTest());
    EXPECT_EQ(m_runner.state(), TestRunner::kStarted);
    const RunnerEffects first = step(0);
    EXPECT_EQ(first.logLines.size(), 1); // state 1 logs its line
    EXPECT_EQ(m_runner.state(), TestRunner::kLoading);
    EXPECT_EQ(loadUntilHold(), QStringList({"2", "4", "6", "8", "10"}));
    EXPECT_EQ(m_runner.state(), TestRunner::kHolding);
    EXPECT_EQ(m_runner.stepCounter(), 6);
    EXPECT_EQ(m_runner.interval(), 1000); // the t1 - t2 period
}

TEST_F(Runner, HoldKeepsFmaxWithinTheHysteresisThenUnloadsAndHoldsAgain) {
    BenchParameters p = loadTest();
    p.timeTo = 1;  // 60 s at 1 s steps
    p.timeTpo = 1; // 60 s at 30 s steps
    start(p);
    step(0);
    loadUntilHold();
    ASSERT_EQ(m_runner.state(), TestRunner::kHolding);
    EXPECT_EQ(m_runner.holdCountdown(), 60);
    EXPECT_EQ(step(9.5).commands, QStringList{"cmd1"});  // exactly Fmax - hysteresis: stop
    EXPECT_EQ(step(10.5).commands, QStringList{"cmd1"}); // exactly Fmax + hysteresis: stop
    EXPECT_EQ(step(9.4).commands, QStringList{"cmd5"});  // too low: t1 - t2 down
    EXPECT_EQ(step(10.6).commands, QStringList{"cmd6"}); // too high: t1 - t2 up
    RunnerEffects last;
    while (m_runner.state() == TestRunner::kHolding) {
        last = step(10);
    }
    EXPECT_EQ(last.commands, QStringList({"cmd1", "cmd7"}));
    ASSERT_EQ(last.logLines.size(), 1);
    EXPECT_TRUE(last.logLines[0].endsWith(QStringLiteral("     < 50")));
    EXPECT_EQ(m_runner.stepCounter(), 4);
    EXPECT_EQ(m_runner.interval(), 299); // 0.3 s

    QStringList unloaded;
    for (double f = 10; m_runner.state() == TestRunner::kUnloading && f > -2; f -= 0.5) {
        for (const QString& line : step(f).logLines) {
            unloaded << line.section(QLatin1Char(' '), 1, 1);
        }
    }
    EXPECT_EQ(unloaded, QStringList({"8", "6", "4", "2", "0"}));
    EXPECT_EQ(m_runner.state(), TestRunner::kHoldingAfter);
    EXPECT_EQ(m_runner.holdCountdown(), 2);
    EXPECT_EQ(m_runner.interval(), 30000);
    EXPECT_EQ(step(0).commands, QStringList{"cmd1"});
    step(0);
    const RunnerEffects ended = step(0);
    EXPECT_EQ(ended.logLines.size(), 1);
    EXPECT_EQ(m_runner.state(), TestRunner::kFinished);

    const RunnerEffects finish = step(0);
    EXPECT_TRUE(finish.finished);
    EXPECT_TRUE(finish.stopped);
    EXPECT_EQ(finish.commands, QStringList{kStop});
    EXPECT_EQ(finish.logLines, QStringList({"Wciśnięto klawisz STOP.", "STOP"}));
    EXPECT_EQ(finish.reportLog.last(), QStringLiteral("Wciśnięto klawisz STOP."));
    EXPECT_EQ(finish.reportLog.size() + 1, m_runner.log().size());

    // START again: state 0, and the next report holds only the new test's lines.
    m_runner.begin(p);
    EXPECT_EQ(m_runner.state(), TestRunner::kIdle);
    m_runner.step(reading(0, 0));
    m_runner.takeZeros(0, 0);
    EXPECT_TRUE(m_runner.log().isEmpty());
    m_runner.beginLoading();
    step(0);
    EXPECT_EQ(m_runner.log().size(), 1);
    EXPECT_EQ(m_runner.stepCounter(), 1);
}

TEST_F(Runner, ZeroHoldTimesPassStraightOnAndTheUpperDisplacementEndsEitherTest) {
    start(loadTest());
    step(0);
    loadUntilHold();
    step(10);
    EXPECT_EQ(m_runner.state(), TestRunner::kUnloading); // To = 0: no hold

    BenchParameters deformation = loadTest();
    deformation.type = TestType::Deformation;
    start(deformation);
    step(0);
    EXPECT_EQ(step(2.5, 10).logLines.size(), 1);
    EXPECT_EQ(m_runner.state(), TestRunner::kLoading);
    const RunnerEffects atDmax = step(2.5, 49.995); // Dmax within delta
    EXPECT_EQ(atDmax.commands, QStringList{"cmd1"});
    EXPECT_EQ(atDmax.logLines.size(), 1);
    EXPECT_EQ(m_runner.state(), TestRunner::kFinished);
    EXPECT_EQ(m_runner.interval(), 500); // the deformation test keeps the 0 - t1 period
    EXPECT_TRUE(step(2.5, 50).finished);

    start(loadTest());
    step(0);
    const RunnerEffects loadAtDmax = step(1, 50);
    EXPECT_TRUE(loadAtDmax.logLines.last().endsWith(QStringLiteral("     > 50")));
    EXPECT_EQ(m_runner.state(), TestRunner::kFinished);
}

TEST_F(Runner, PlotsAtTheCadenceOfEachPhase) {
    // Loading (state 2) plots at the t1 - t2 cadence: 0.5 s steps, a point every 2 s.
    BenchParameters p = loadTest();
    p.periods[1] = 0.5;
    start(p);
    QList<bool> plotted;
    for (int i = 0; i < 8; ++i) {
        plotted << step(0.1).plot;
    }
    EXPECT_EQ(plotted, QList<bool>({false, false, false, true, false, false, false, true}));

    // A cadence shorter than the step plots at every step.
    BenchParameters fast = loadTest();
    fast.cadences = {0, 0, 0, 0};
    start(fast);
    EXPECT_TRUE(step(0.1).plot);
    EXPECT_TRUE(step(0.1).plot);
}

TEST_F(Runner, LimitsStopThePressOnlyAboveMaxFAndMaxL) {
    start(loadTest());
    step(0);
    const RunnerEffects atLimit = step(20, 60);
    EXPECT_FALSE(atLimit.forceAlarm);
    EXPECT_FALSE(atLimit.displacementAlarm);
    EXPECT_NE(m_runner.state(), TestRunner::kAlarm);

    start(loadTest());
    step(0);
    const RunnerEffects over = step(20.01);
    EXPECT_TRUE(over.forceAlarm);
    EXPECT_TRUE(over.alarmEntered);
    EXPECT_EQ(over.commands.first(), QStringLiteral("cmd1"));
    EXPECT_EQ(over.logLines.first(), QStringLiteral("STOP"));
    EXPECT_EQ(m_runner.state(), TestRunner::kAlarm);
    // Staying over the limit stops again but enters the alarm only once.
    const RunnerEffects again = step(20.5);
    EXPECT_TRUE(again.forceAlarm);
    EXPECT_FALSE(again.alarmEntered);

    start(loadTest());
    step(0);
    const RunnerEffects far = step(1, 60.5);
    EXPECT_TRUE(far.displacementAlarm);
    EXPECT_TRUE(far.logLines.first().endsWith(QStringLiteral("     > 60")));
    EXPECT_EQ(far.logLines.at(1), QStringLiteral("STOP"));
}

TEST_F(Runner, LargeZeroOffsetsAskBeforeTheTestStarts) {
    m_runner.begin(loadTest());
    EXPECT_EQ(m_runner.takeZeros(0.75, 2),
              QStringLiteral("Przesunięcie zera dla czjnika siły: 0.75, a dla czujnika "
                             "przesunięcia: 2. Czy rozpocząć badanie?"));
    EXPECT_EQ(m_runner.forceZero(), 0.75);
    EXPECT_FALSE(m_runner.takeZeros(0.5, 10.5).isEmpty());
    EXPECT_TRUE(m_runner.takeZeros(0.5, 10).isEmpty());
}

TEST_F(Runner, StopAndHaltEndTheRunButOnlyHaltEntersTheAlarm) {
    start(loadTest());
    step(0);
    const RunnerEffects stopped = m_runner.stop();
    EXPECT_EQ(stopped.commands, QStringList{kStop});
    EXPECT_EQ(stopped.logLines, QStringList{"Wciśnięto klawisz STOP."});
    EXPECT_EQ(m_runner.state(), TestRunner::kLoading);

    const RunnerEffects halted = m_runner.halt(QStringLiteral("Brak nowych odczytów"));
    EXPECT_EQ(halted.commands, QStringList{kStop});
    EXPECT_EQ(halted.logLines, QStringList({"Brak nowych odczytów", "STOP"}));
    EXPECT_TRUE(halted.alarmEntered);
    EXPECT_TRUE(halted.stopped);
    EXPECT_EQ(m_runner.state(), TestRunner::kAlarm);
}

} // namespace
} // namespace korvanta::bench
