#include "acquisition/acquisition_link.h"
#include "e2e/acquisition_e2e_support.h"
#include "support/sim_process.h"

#include <climits>
#include <cmath>
#include <gtest/gtest.h>

using namespace korvanta::acquisition;
using namespace korvanta::testing;

namespace {

class AcquisitionSimE2e : public ::testing::Test {
protected:
    void TearDown() override { qunsetenv("KORVANTA_SHM_PREFIX"); }

    // Attaches `link` to `sim`; false when it cannot.
    static bool attach(const SimProcess& sim, AcquisitionLink& link) {
        sim.setEnvironmentPrefix();
        return sim.started() && link.attachControlBlock();
    }
};

QStringList args(const QString& line) {
    return line.split(QLatin1Char(' '));
}

// RMS of input `input` over the newest `count` records of one tick.
double rmsOfNewest(const AcquisitionLink& link, int input, int count) {
    const TickView view = link.tick();
    double sum = 0;
    int i = view.newestIndex();
    for (int n = 0; n < count; ++n, i = view.table.previousIndex(i)) {
        const double v = view.table.record(i).values[input - 1];
        sum += v * v;
    }
    return std::sqrt(sum / count);
}

} // namespace

TEST_F(AcquisitionSimE2e, BadOptionsEndWithCodeTwo) {
    for (const char* line :
         {"--sine 33:1:50", "--records 0", "--rate -1", "--three-phase 30:1:50", "--hostile size=3",
          "--press 1:1", "--aux 1,x", "--bogus 1", "--press 1:2 --press-yield 0",
          "--press 1:2 --press-noise -1", "--press-yield 8", "--profile demo --press-noise x"}) {
        SimProcess sim(args(QString::fromLatin1(line)));
        EXPECT_FALSE(sim.started()) << line;
        ASSERT_TRUE(sim.waitForExit(5000)) << line;
        EXPECT_EQ(sim.exitCode(), 2) << line;
        EXPECT_TRUE(blocksGone(sim.prefix())) << line;
    }
}

TEST_F(AcquisitionSimE2e, HostileFieldsAreKeptWhileRecordsGoOn) {
    SimProcess sim(args(QStringLiteral("--records 50 --hostile currentIndex=-5 --hostile "
                                       "recordCount=99999999 --hostile auxCount=500 --hostile "
                                       "channelCount=65")));
    AcquisitionLink link;
    ASSERT_TRUE(attach(sim, link));
    ASSERT_TRUE(link.attachDataTable());
    EXPECT_EQ(link.mappedRecordCount(), 50) << "no more than the object holds";
    const ControlBlock control = link.control();
    EXPECT_EQ(control.currentIndex(), -5);
    EXPECT_EQ(control.recordCount(), 99999999);
    EXPECT_EQ(control.safeAuxCount(), -1);
    EXPECT_EQ(control.safeChannelCount(), 0);
    EXPECT_FALSE(link.tick().hasData());
    EXPECT_EQ(link.checkNewRecord(), RecordArrival::NoData);
}

TEST_F(AcquisitionSimE2e, HostileZeroRecordCountAndIndexPastTheEnd) {
    SimProcess zero(args(QStringLiteral("--records 20 --hostile recordCount=0")));
    AcquisitionLink link;
    ASSERT_TRUE(attach(zero, link));
    EXPECT_FALSE(link.attachDataTable());
    EXPECT_EQ(link.mappedRecordCount(), 0);
    EXPECT_FALSE(link.tick().hasData());

    SimProcess past(args(QStringLiteral("--records 20 --hostile currentIndex=20")));
    AcquisitionLink other;
    ASSERT_TRUE(attach(past, other));
    ASSERT_TRUE(other.attachDataTable());
    EXPECT_EQ(other.mappedRecordCount(), 20);
    EXPECT_FALSE(other.tick().hasData());
}

TEST_F(AcquisitionSimE2e, AddressesCycleWithRisingReportNumbers) {
    SimProcess sim(args(QStringLiteral("--records 20 --addresses AB --address-period 0.1")));
    AcquisitionLink link;
    ASSERT_TRUE(attach(sim, link));
    const ControlBlock control = link.control();
    ASSERT_TRUE(waitUntil([&] { return control.systemAddress() == 'B'; }));
    const std::int32_t atB = control.reportNumber();
    EXPECT_GE(atB, 1);
    ASSERT_TRUE(waitUntil([&] { return control.systemAddress() == 'A'; }));
    EXPECT_GT(control.reportNumber(), atB);
}

TEST_F(AcquisitionSimE2e, SignalsOnTheirInputs) {
    // 1000 records at 1 kHz are 50 whole periods of 50 Hz.
    SimProcess sim(args(QStringLiteral("--records 1000 --rate 1000 --sine 1:10:50 "
                                       "--three-phase 3:100:50 --dc 9:12.5 --dc 9:-2.5 "
                                       "--ramp 10:4 --noise 11:1 --vibration 12:1:50")));
    AcquisitionLink link;
    ASSERT_TRUE(attach(sim, link));
    ASSERT_TRUE(link.attachDataTable());
    EXPECT_NEAR(rmsOfNewest(link, 1, 1000), 10.0, 0.01);
    EXPECT_NEAR(rmsOfNewest(link, 3, 1000), 100.0 / std::sqrt(2.0), 0.01);
    EXPECT_NEAR(rmsOfNewest(link, 5, 1000), 100.0 / std::sqrt(2.0), 0.01);
    EXPECT_EQ(rmsOfNewest(link, 4, 1000), 0.0) << "three-phase leaves the inputs between free";
    EXPECT_NEAR(rmsOfNewest(link, 11, 1000), 1.0, 0.1);
    EXPECT_GT(rmsOfNewest(link, 12, 1000), 0.3);

    const TickView view = link.tick();
    const Tabela& r = view.table.record(view.newestIndex());
    EXPECT_EQ(r.values[8], 10.0F) << "two DC components add up";
    EXPECT_NEAR(r.values[2] + r.values[4] + r.values[6], 0.0, 1e-3) << "balanced three phases";
    // Input 5 lags input 3 by 120° and input 7 leads it: at input 3's upward crossing input 5
    // is negative and input 7 positive.
    bool crossingSeen = false;
    for (int i = view.newestIndex(), n = 0; n < 999; ++n) {
        const int before = view.table.previousIndex(i);
        const Tabela& now = view.table.record(i);
        const Tabela& prev = view.table.record(before);
        if (prev.values[2] < 0 && now.values[2] >= 0) {
            EXPECT_LT(now.values[4], 0.0F);
            EXPECT_GT(now.values[6], 0.0F);
            crossingSeen = true;
        }
        i = before;
    }
    EXPECT_TRUE(crossingSeen);
    // The ramp rises by 4 per second: 4 × 0.001 from one record to the next.
    const Tabela& previous = view.table.record(view.table.previousIndex(view.newestIndex()));
    EXPECT_NEAR(r.values[9] - previous.values[9], 0.004, 1e-4);
}

TEST_F(AcquisitionSimE2e, TheSameSeedGivesTheSameNoise) {
    // One record a second: the live records of the first seconds overwrite only the first few
    // history records of either ring.
    const QString line = QStringLiteral("--records 100 --rate 1 --noise 1:1 --seed 42");
    SimProcess a(args(line));
    SimProcess b(args(line));
    AcquisitionLink la;
    AcquisitionLink lb;
    ASSERT_TRUE(attach(a, la));
    ASSERT_TRUE(la.attachDataTable());
    ASSERT_TRUE(attach(b, lb));
    ASSERT_TRUE(lb.attachDataTable());
    const TickView va = la.tick();
    const TickView vb = lb.tick();
    ASSERT_TRUE(va.hasData() && vb.hasData());
    for (int i = 10; i < 100; ++i) {
        EXPECT_EQ(va.table.record(i).values[0], vb.table.record(i).values[0]) << i;
    }
    EXPECT_NE(va.table.record(10).values[0], va.table.record(11).values[0]);
}
