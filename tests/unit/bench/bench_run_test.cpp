// A bench run on a monitoring session attached to shared blocks made in the test: zeroing, the
// commands in the control block, stale readings, the preparation and the idle refresh.

#include "../../support/fake_acquisition.h"
#include "../monitor/monitor_table.h"
#include "bench/bench_run.h"
#include "common/day_time.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korvanta::bench {
namespace {

const QString kStopText = QStringLiteral("#1 x0;0 y0;0 &");
constexpr int kForceInput = 1;
constexpr int kDisplacementInput = 2;

class BenchOnBlocks : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_table.channel(1, 0, kForceInput, 0, 2);        // force: mean of input 1, 2 decimals
        m_table.channel(2, 0, kDisplacementInput, 0, 1); // displacement: mean of input 2
        acquisition::SettingsRecord& s = *m_table.settings;
        s.setDataDirectory(m_dir.path() + QLatin1Char('/'));
        s.setForceChannel(1);
        s.setDisplacementChannel(2);
        s.setUpperLoad(10);
        s.setForceStep(2);
        s.setUpperDisplacement(50);
        s.setHysteresis(0.5);
        s.setMaxForce(20);
        s.setMaxDisplacement(60);
        s.setTestType(1);
        for (int phase = 0; phase < 4; ++phase) {
            s.setPhasePeriod(phase, QStringLiteral("00:00:00.500"));
            s.setChartCadence(phase, 2);
        }
        for (int c = 0; c < 9; ++c) {
            s.setMotionCommand(c, QStringLiteral("cmd%1").arg(c));
        }
        // A command longer than the 24 characters a command may have.
        s.setMotionCommand(Phase1Down, QStringLiteral("#1 x250;250 y0;0 & and more text"));
        s.setPreparationForce(3);
        s.setRetractionTime(0);
        s.setPreparationBufferLength(5);
        ASSERT_TRUE(link().attachControlBlock());
        ASSERT_TRUE(link().attachDataTable());
        setInputs(0, 0);
        m_inputs.measurement.now = common::toDayNumber(QDateTime(QDate(2026, 12, 9), QTime(8, 0)));
        m_inputs.measurement.saveEveryText = QStringLiteral("1");
        m_inputs.measurement.lineLimitText = QStringLiteral("0");
        m_inputs.measurement.fileName = QStringLiteral("plik");
    }

    acquisition::AcquisitionLink& link() { return m_table.session->link(); }
    // Every record reads these inputs; the time stamps move on by one second each call.
    void setInputs(double force, double displacement) {
        m_stamp += 1.0 / 86400.0;
        m_blocks.fill(m_stamp, [&](int k, int) {
            return k == kForceInput ? force : k == kDisplacementInput ? displacement : 0.0;
        });
    }
    QString command() { return m_blocks.control().commandText(); }
    void startTest() {
        ASSERT_TRUE(m_run.checkStart(true));
        m_run.startStep(m_inputs);
        EXPECT_TRUE(m_run.takeZeros().isEmpty());
        m_run.beginLoading(m_inputs.monotonicMs);
    }
    BenchStepResult tick(qint64 ms) {
        m_inputs.monotonicMs += ms;
        return m_run.testStep(m_inputs);
    }

    QTemporaryDir m_dir;
    testing::FakeAcquisition m_blocks{100, 8, 100.0};
    testing::MonitorChannels m_table;
    BenchRun m_run{*m_table.session};
    BenchStepInputs m_inputs;
    double m_stamp = 46000;
};

TEST_F(BenchOnBlocks, StartTakesTheZerosAndStepsReadCorrectedValues) {
    setInputs(0.25, 1.5);
    startTest();
    EXPECT_EQ(m_run.runner().forceZero(), 0.25);
    EXPECT_EQ(m_run.runner().displacementZero(), 1.5);
    EXPECT_EQ(command(), QStringLiteral("#1 x250;250 y0;0 & and m")); // cut to 24 characters
    EXPECT_TRUE(m_run.stepping());

    setInputs(2.25, 3.5);
    const BenchStepResult step = tick(500);
    EXPECT_EQ(step.forceText, QStringLiteral("2.00"));
    EXPECT_EQ(step.displacementText, QStringLiteral("2.0"));
    EXPECT_TRUE(step.measurement.dataLine.endsWith(QStringLiteral(" 2.00 2.0")))
        << step.measurement.dataLine.toStdString();
    EXPECT_EQ(step.effects.logLines, QStringList{step.measurement.dataLine});
    // The zero correction is applied once per step, not piled up.
    EXPECT_EQ(tick(500).forceText, QStringLiteral("2.00"));
    ASSERT_EQ(m_run.trace().size(), 2U);
    EXPECT_DOUBLE_EQ(m_run.trace()[1].force, 2.0);
    EXPECT_DOUBLE_EQ(m_run.trace()[1].displacement, 2.0);

    m_run.stop();
    EXPECT_EQ(command(), kStopText);
    EXPECT_FALSE(m_run.stepping());
}

TEST_F(BenchOnBlocks, StaleReadingsStopThePressAndEndTheRun) {
    startTest();
    setInputs(1, 1);
    tick(500);
    EXPECT_FALSE(tick(1500).effects.stopped); // 1.5 s without a new record
    const BenchStepResult frozen = tick(600); // 2.1 s
    EXPECT_TRUE(frozen.effects.stopped);
    EXPECT_TRUE(frozen.effects.alarmEntered);
    EXPECT_EQ(command(), kStopText);
    EXPECT_EQ(m_run.runner().state(), TestRunner::kAlarm);
    ASSERT_EQ(frozen.effects.logLines.size(), 2);
    EXPECT_TRUE(frozen.effects.logLines[0].startsWith(QStringLiteral("Brak nowych odczytów")));
    EXPECT_EQ(frozen.effects.logLines[1], QStringLiteral("STOP"));
    EXPECT_FALSE(m_run.stepping());
    const FinishedTest document = m_run.finishedTest({QStringLiteral("rama"), {}, {}}, 0);
    EXPECT_TRUE(document.alarm);
    EXPECT_TRUE(document.verdict.contains(QStringLiteral("Brak nowych odczytów")));

    // New records keep a run going however long it lasts.
    setInputs(0, 0);
    startTest();
    for (int i = 0; i < 10; ++i) {
        setInputs(1, 1);
        EXPECT_FALSE(tick(1500).effects.stopped);
    }
}

TEST_F(BenchOnBlocks, StartIsRefusedWithAReasonNamingTheField) {
    EXPECT_EQ(m_run.checkStart(false).reason(), QStringLiteral("Brak wymaganych ustawień"));
    acquisition::SettingsRecord& s = *m_table.settings;
    s.setForceStep(0);
    EXPECT_TRUE(m_run.checkStart(true).reason().startsWith(QStringLiteral("Krok siły [kN]")));
    s.setForceStep(2);
    s.setPhasePeriod(2, QStringLiteral("00:00:00.000"));
    EXPECT_TRUE(m_run.checkStart(true).reason().startsWith(QStringLiteral("Okres t2 - t3")));
    s.setTestType(0); // the deformation test uses only the 0 - t1 period
    EXPECT_TRUE(m_run.checkStart(true));
    s.setPhasePeriod(0, QStringLiteral("1 s"));
    EXPECT_FALSE(m_run.checkStart(true));
    s.setPhasePeriod(0, QStringLiteral("00:00:00.500"));
    s.setActive(2, false);
    EXPECT_EQ(m_run.checkStart(true).reason(),
              QStringLiteral("nr kanału L: Kanał jest nieaktywny"));
    s.setForceChannel(65);
    EXPECT_TRUE(m_run.checkStart(true).reason().startsWith(QStringLiteral("nr kanału F")));
    EXPECT_FALSE(m_run.checkPreparation());
}

TEST_F(BenchOnBlocks, PreparationLowersStopsRaisesAndGivesTheBufferLengthBack) {
    acquisition::SettingsRecord& s = *m_table.settings;
    s.setBufferLength(1, 40);
    ASSERT_TRUE(m_run.checkPreparation());
    m_run.beginPreparation(0);
    const BenchStepResult opening = m_run.preparationStep(m_inputs);
    EXPECT_TRUE(opening.effects.clearLog);
    EXPECT_EQ(opening.effects.logLines,
              QStringList({"TRWA PRZYGOTOWANIE DO BADANIA.", "PROSZĘ CZEKAĆ."}));
    EXPECT_EQ(command(), QStringLiteral("cmd2")); // emergency down
    EXPECT_EQ(s.bufferLength(1), 5);
    m_run.preparationStep(m_inputs);
    EXPECT_EQ(command(), QStringLiteral("cmd2")); // below the preparation force: still lowering
    setInputs(3, 0);
    m_run.preparationStep(m_inputs);
    EXPECT_EQ(command(), QStringLiteral("cmd1"));
    m_run.preparationStep(m_inputs);
    EXPECT_EQ(command(), QStringLiteral("cmd0")); // raising; a retraction time of 0 ends at once
    const BenchStepResult done = m_run.preparationStep(m_inputs);
    EXPECT_TRUE(done.effects.preparationFinished);
    EXPECT_EQ(done.effects.logLines, QStringList{"ZAKOŃCZONO PRZYGOTOWANIE"});
    EXPECT_EQ(command(), QStringLiteral("cmd1"));
    EXPECT_EQ(s.bufferLength(1), 40);
    EXPECT_FALSE(m_run.preparationRunning());

    // STOP in the middle of a preparation gives the length back as well.
    m_run.beginPreparation(0);
    m_run.preparationStep(m_inputs);
    EXPECT_EQ(s.bufferLength(1), 5);
    m_run.stop();
    EXPECT_EQ(s.bufferLength(1), 40);
    EXPECT_EQ(command(), kStopText);
}

TEST_F(BenchOnBlocks, IdleRefreshShowsTheValuesWithoutSaving) {
    m_inputs.measurement.saveEvery = true;
    setInputs(4.5, 7);
    const BenchStepResult idle = m_run.idleRefresh(m_inputs);
    EXPECT_EQ(idle.forceText, QStringLiteral("4.50"));
    EXPECT_EQ(idle.displacementText, QStringLiteral("7.0"));
    EXPECT_FALSE(idle.measurement.saved);
    EXPECT_EQ(m_table.session->saveCounter().value(), 0);
    EXPECT_FALSE(QDir(m_dir.path()).exists(QStringLiteral("plik.dan")));
}

TEST_F(BenchOnBlocks, ClosingStopsThePressOnlyWhenItMayBeMoving) {
    m_blocks.control().setCommandText(QStringLiteral("left by someone else"));
    m_run.stopIfMoving();
    EXPECT_EQ(command(), QStringLiteral("left by someone else"));
    m_run.sendCommand(EmergencyDown);
    EXPECT_EQ(command(), QStringLiteral("cmd2"));
    m_run.stopIfMoving();
    EXPECT_EQ(command(), kStopText);
    m_run.sendCommand(-1); // RESET
    EXPECT_EQ(command(), QString());
    startTest();
    m_run.stopIfMoving();
    EXPECT_EQ(command(), kStopText);
}

TEST_F(BenchOnBlocks, ParametersReachTheControlBlock) {
    acquisition::SettingsRecord& s = *m_table.settings;
    s.setExtraCommand(0, QStringLiteral("rozkaz drugi"));
    s.setExtraCommand(1, QStringLiteral("rozkaz trzeci, dłuższy niż 24 znaki"));
    m_run.publishParameters();
    const acquisition::ControlBlock block = m_blocks.control();
    EXPECT_EQ(block.forceChannel(), 1);
    EXPECT_EQ(block.displacementChannel(), 2);
    EXPECT_EQ(block.maxForce(), 20.0F);
    EXPECT_EQ(block.maxDisplacement(), 60.0F);
    EXPECT_EQ(block.commandText2(), QStringLiteral("rozkaz drugi"));
    EXPECT_EQ(block.commandText3(), QStringLiteral("rozkaz trzeci, dłuższy n"));
}

TEST(FrozenWatch, StaleAfterTwoSecondsOrThreeStepsWhicheverIsLonger) {
    FrozenWatch watch;
    watch.reset(1.0, 0);
    EXPECT_FALSE(watch.stale(1.0, 2000, 500));
    EXPECT_TRUE(watch.stale(1.0, 2001, 500));
    EXPECT_FALSE(watch.stale(2.0, 5000, 500)); // a new stamp starts the count again
    EXPECT_FALSE(watch.stale(2.0, 7000, 1000));
    EXPECT_FALSE(watch.stale(2.0, 8000, 1000)); // three 1 s steps: 3 s
    EXPECT_TRUE(watch.stale(2.0, 8001, 1000));
    watch.reset(std::nullopt, 0); // no records at all never look fresh
    EXPECT_TRUE(watch.stale(std::nullopt, 2001, 100));
}

TEST(PhaseTiming, IntervalsAndCountdownsTruncateTheExtendedProduct) {
    EXPECT_EQ(phaseInterval(0.3), 299);
    EXPECT_EQ(phaseInterval(1.0), 1000);
    EXPECT_EQ(phaseInterval(0.0), 0);
    EXPECT_EQ(phaseSteps(2, 0.5), 4);
    EXPECT_EQ(phaseSteps(60.0L, 0.3), 200);
    EXPECT_EQ(phaseSteps(60, 0), 0);
    EXPECT_EQ(phaseSteps(-60, 1), 0);
}

} // namespace
} // namespace korvanta::bench
