#include "acquisition/acquisition_link.h"
#include "common/day_time.h"
#include "common/number_format.h"
#include "e2e/acquisition_e2e_support.h"
#include "support/sim_process.h"

#include <QDateTime>
#include <cmath>
#include <gtest/gtest.h>

using namespace korvanta::acquisition;
using namespace korvanta::testing;

namespace {

constexpr const char* kDown = "#1 x250;250 y0;0 &";
constexpr const char* kUp = "#1 x0;0 y250;250 &";
constexpr const char* kStop = "#1 x0;0 y0;0 &";

class AcquisitionLinkE2e : public ::testing::Test {
protected:
    void TearDown() override {
        qunsetenv("KORVANTA_SHM_PREFIX");
        korvanta::common::setDecimalSeparator(m_separator);
    }

private:
    QChar m_separator = korvanta::common::decimalSeparator();
};

QStringList args(std::initializer_list<const char*> list) {
    QStringList out;
    for (const char* a : list) {
        out << QString::fromLatin1(a);
    }
    return out;
}

} // namespace

TEST_F(AcquisitionLinkE2e, AttachesToTheSimulatorAndReadsItsRing) {
    SimProcess sim(args({"--records", "200", "--rate", "1000", "--channels", "6", "--aux",
                         "1.5,2.5", "--dc", "3:12.5"}));
    ASSERT_TRUE(sim.started());
    sim.setEnvironmentPrefix();
    AcquisitionLink link;
    ASSERT_TRUE(link.attachControlBlock());
    EXPECT_FALSE(link.readOnlyMode());
    ASSERT_TRUE(link.attachDataTable());
    EXPECT_EQ(link.mappedRecordCount(), 200);
    const ControlBlock control = link.control();
    EXPECT_EQ(control.channelCount(), 6);
    EXPECT_EQ(control.recordCount(), 200);
    EXPECT_EQ(link.frequencyText(), QStringLiteral("1000.00Hz"));
    EXPECT_EQ(control.auxCount(), 1);
    EXPECT_EQ(control.auxValue(0), 1.5F);
    EXPECT_EQ(control.auxValue(1), 2.5F);

    const TickView view = link.tick();
    ASSERT_TRUE(view.hasData());
    EXPECT_EQ(newestValue(link, 3), 12.5);
    // The whole ring holds records one sample period apart, the newest near the local time.
    const double now = korvanta::common::toDayNumber(QDateTime::currentDateTime());
    const double newest = view.table.record(view.newestIndex()).timeStamp;
    EXPECT_LT(std::fabs(newest - now), 60.0 / 86400.0);
    const double period = 1.0 / (1000.0 * 86400.0);
    const double oldest = view.table.record(view.currentIndex).timeStamp;
    EXPECT_NEAR(newest - oldest, 199 * period, 1e-3 * period) << "ring read within one write";
}

TEST_F(AcquisitionLinkE2e, ReadOnlyWithoutASimulator) {
    SimProcess sim(args({"--records", "10"}));
    ASSERT_TRUE(sim.started());
    qputenv("KORVANTA_SHM_PREFIX", (sim.prefix() + QStringLiteral("other_")).toLocal8Bit());
    AcquisitionLink link;
    EXPECT_FALSE(link.attachControlBlock());
    EXPECT_TRUE(link.readOnlyMode());
    EXPECT_FALSE(link.attachDataTable());
    EXPECT_EQ(link.control().recordCount(), 0);
    link.requestEnd();
    EXPECT_FALSE(sim.waitForExit(100)) << "the end request went to the private block only";
}

TEST_F(AcquisitionLinkE2e, MappingAgainFollowsARestartedSimulator) {
    const QString prefix = SimProcess::uniquePrefix();
    AcquisitionLink link;
    {
        SimProcess first(args({"--records", "100"}), prefix);
        ASSERT_TRUE(first.started());
        first.setEnvironmentPrefix();
        ASSERT_TRUE(link.attachControlBlock());
        ASSERT_TRUE(link.attachDataTable());
        EXPECT_EQ(link.mappedRecordCount(), 100);
        link.requestEnd();
        ASSERT_TRUE(first.waitForExit(5000));
    }
    SimProcess second(args({"--records", "300"}), prefix);
    ASSERT_TRUE(second.started());
    ASSERT_TRUE(link.attachDataTable());
    EXPECT_EQ(link.control().recordCount(), 300);
    EXPECT_EQ(link.mappedRecordCount(), 300);
    EXPECT_TRUE(link.tick().hasData());
    link.requestEnd();
    EXPECT_TRUE(second.waitForExit(5000)) << "the new simulator sees the end request";
}

TEST_F(AcquisitionLinkE2e, NewThenSameAfterTheStallAndOlderAgainstTheFuture) {
    SimProcess sim(args({"--records", "500", "--rate", "1000", "--stall-after", "0.3"}));
    ASSERT_TRUE(sim.started());
    sim.setEnvironmentPrefix();
    AcquisitionLink link;
    ASSERT_TRUE(link.attachControlBlock());
    ASSERT_TRUE(link.attachDataTable());
    EXPECT_EQ(link.checkNewRecord(), RecordArrival::New);
    const double first = link.lastTimeStamp();
    // Checked far slower than the simulator's 10 ms wake-ups, so Same means the stall.
    EXPECT_TRUE(waitUntil([&] {
        QThread::msleep(100);
        return link.checkNewRecord() == RecordArrival::Same;
    }));
    EXPECT_GT(link.lastTimeStamp(), first) << "records arrived before the stall";
    const double stalled = link.lastTimeStamp();
    QThread::msleep(50);
    EXPECT_EQ(link.checkNewRecord(), RecordArrival::Same);
    link.setLastTimeStamp(stalled + 1.0);
    EXPECT_EQ(link.checkNewRecord(), RecordArrival::Older);
    EXPECT_EQ(link.lastTimeStamp(), stalled + 1.0);
}

TEST_F(AcquisitionLinkE2e, PressCommandsMoveForceAndDisplacement) {
    // Force on input 1, displacement on 2: 2 kN/mm past a 5 mm gap at 2 mm/s, ten times faster.
    SimProcess sim(
        args({"--records", "1000", "--rate", "500", "--speed", "10", "--press", "1:2:2:5:2"}));
    ASSERT_TRUE(sim.started());
    sim.setEnvironmentPrefix();
    AcquisitionLink link;
    ASSERT_TRUE(link.attachControlBlock());
    ASSERT_TRUE(link.attachDataTable());
    EXPECT_EQ(newestValue(link, 1), 0.0);
    EXPECT_EQ(newestValue(link, 2), 0.0);

    link.sendCommand(QString::fromLatin1(kDown));
    ASSERT_TRUE(waitUntil([&] { return newestValue(link, 2) > 7.0; }));
    link.sendCommand(QString::fromLatin1(kStop));
    QThread::msleep(50); // the simulator reads the command at its next wake-up
    const double held = newestValue(link, 2);
    EXPECT_NEAR(newestValue(link, 1), 2.0 * (held - 5.0), 1e-3);
    QThread::msleep(100);
    EXPECT_EQ(newestValue(link, 2), held) << "stopped";

    link.sendCommand(QString::fromLatin1(kUp));
    ASSERT_TRUE(waitUntil([&] { return newestValue(link, 2) < 4.0; }));
    EXPECT_EQ(newestValue(link, 1), 0.0) << "no force above the gap";
    ASSERT_TRUE(waitUntil([&] { return newestValue(link, 2) == 0.0; }));
    QThread::msleep(50);
    EXPECT_EQ(newestValue(link, 2), 0.0) << "the pusher does not rise above its start";

    link.sendCommand(QString::fromLatin1(kDown));
    ASSERT_TRUE(waitUntil([&] { return newestValue(link, 2) > 1.0; }));
    link.sendCommand(QStringLiteral("#1 x5;5 y0;0 &"));
    QThread::msleep(50);
    const double stopped = newestValue(link, 2);
    QThread::msleep(100);
    EXPECT_EQ(newestValue(link, 2), stopped) << "an unknown command stops";
}

TEST_F(AcquisitionLinkE2e, TheDemoPressBendsTheFrameForGood) {
    // Force on input 9, displacement on 10: 2 kN/mm past a 2 mm gap at 1 mm/s, twenty times
    // faster; the frame yields at 8 kN, 6 mm down. Without noise, so force 0 reads as 0.
    SimProcess sim(args({"--profile", "demo", "--press-noise", "0", "--records", "1000", "--rate",
                         "500", "--speed", "20"}));
    ASSERT_TRUE(sim.started());
    sim.setEnvironmentPrefix();
    AcquisitionLink link;
    ASSERT_TRUE(link.attachControlBlock());
    ASSERT_TRUE(link.attachDataTable());
    EXPECT_EQ(link.control().channelCount(), 10) << "channels 9 and 10 reach the press";

    link.sendCommand(QString::fromLatin1(kDown));
    ASSERT_TRUE(waitUntil([&] { return newestValue(link, 10) > 12.0; }));
    link.sendCommand(QString::fromLatin1(kStop));
    QThread::msleep(50);
    const double depth = newestValue(link, 10);
    const double peak = newestValue(link, 9);
    EXPECT_NEAR(peak, 8.0 + 0.2 * (depth - 6.0), 1e-3) << "past yield at a tenth of the stiffness";
    const double contact = depth - peak / 2.0;

    link.sendCommand(QString::fromLatin1(kUp));
    ASSERT_TRUE(waitUntil([&] { return newestValue(link, 9) == 0.0; }, 5000, 2));
    link.sendCommand(QString::fromLatin1(kStop));
    QThread::msleep(50);
    const double unloaded = newestValue(link, 10);
    // Up to 0.1 s of travel between the first force-free record and the stop.
    EXPECT_GT(unloaded, contact - 2.0) << "free of force well below the gap of 2 mm";
    EXPECT_LE(unloaded, contact + 1e-3);
    EXPECT_GT(contact, 6.0);
}

TEST_F(AcquisitionLinkE2e, EndRequestEndsTheSimulatorAndRemovesItsBlocks) {
    SimProcess sim(args({"--records", "50"}));
    ASSERT_TRUE(sim.started());
    sim.setEnvironmentPrefix();
    {
        AcquisitionLink link;
        ASSERT_TRUE(link.attachControlBlock());
        EXPECT_FALSE(blocksGone(sim.prefix()));
        link.requestEnd();
        ASSERT_TRUE(sim.waitForExit(5000));
    }
    EXPECT_EQ(sim.exitCode(), 0);
    EXPECT_TRUE(blocksGone(sim.prefix()));
}

TEST_F(AcquisitionLinkE2e, DurationEndsTheSimulator) {
    SimProcess sim(args({"--records", "50", "--duration", "0.3"}));
    ASSERT_TRUE(sim.started());
    ASSERT_TRUE(sim.waitForExit(5000));
    EXPECT_EQ(sim.exitCode(), 0);
    EXPECT_TRUE(blocksGone(sim.prefix()));
}
