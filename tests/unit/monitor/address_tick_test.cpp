#include "common/day_time.h"
#include "monitor/monitoring_session.h"
#include "unit/monitor/monitor_table.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korvanta::monitor {
namespace {

using testing::MonitorChannels;
using testing::MonitorTable;

constexpr double kMinute = 60.0 / 86400.0;

// A session over a 20-record table with channel 1 the mean of input 1, recording dumps every 30
// minutes into "dynamic\" of the start directory for the systems of the list.
class AddressTick : public ::testing::Test {
protected:
    void SetUp() override {
        m_previousDirectory = QDir::currentPath();
        ASSERT_TRUE(m_dir.isValid());
        QDir::setCurrent(m_dir.path());
        m_table.fill(1, [](int q) { return q; });
        m_table.control().setChannelCount(2);
        m_channels.channel(1, Mean, 1);
        m_inputs.addressList = QStringLiteral("AaB");
        m_inputs.step.now = common::toDayNumber(QDateTime(QDate(2026, 7, 12), QTime(14, 30, 5)));
        m_inputs.step.startDirectory = m_dir.path();
        m_inputs.step.extraReport = true;
        m_inputs.step.saveEveryText = QStringLiteral("1");
        m_inputs.step.lineLimitText = QStringLiteral("0");
        m_inputs.dynamicSave = true;
        m_inputs.dynamicIntervalText = QStringLiteral("00:30:00");
        m_inputs.dynamicFolder = QStringLiteral("dynamic\\");
    }
    void TearDown() override { QDir::setCurrent(m_previousDirectory); }

    MonitoringSession& session() { return *m_channels.session; }
    AddressTickResult tick(char address, double minutesLater = 0) {
        m_table.control().setSystemAddress(address);
        AddressInputs inputs = m_inputs;
        inputs.step.now += minutesLater * kMinute;
        return session().addressTick(m_table.view(), inputs);
    }
    QStringList dumps() const {
        return QDir(m_dir.filePath(QStringLiteral("dynamic"))).entryList(QDir::Files, QDir::Name);
    }

    QTemporaryDir m_dir;
    QString m_previousDirectory;
    MonitorTable m_table{20, 5, 0.01 / 86400};
    MonitorChannels m_channels;
    AddressInputs m_inputs;
};

TEST_F(AddressTick, EachListedSystemIsDumpedOnceAPassThenThePassWaitsForTheInterval) {
    const AddressTickResult first = tick('A');
    ASSERT_EQ(first.action, AddressAction::RunAddressStep);
    ASSERT_TRUE(first.pass);
    ASSERT_TRUE(first.pass->dump);
    EXPECT_EQ(first.pass->dump->name, QStringLiteral("dynamic/A20260712_1430050.txt"));
    EXPECT_FALSE(first.pass->dump->failed()) << first.pass->dump->failure.toStdString();
    EXPECT_EQ(first.pass->dump->status(),
              QStringLiteral("Save file: dynamic/A20260712_1430050.txt"));
    EXPECT_EQ(session().addressState().lastAddress, 'A');
    EXPECT_EQ(session().addressState().addressPassCount, 1);

    EXPECT_EQ(tick('A').action, AddressAction::TakeMedian);
    EXPECT_TRUE(tick('a', 1).pass->dump.has_value()) << "a is a system of its own";
    EXPECT_EQ(tick('C', 2).action, AddressAction::NotListed);
    EXPECT_EQ(m_table.control().addressFlag(), 0);
    const AddressTickResult last = tick('B', 3);
    ASSERT_TRUE(last.pass->dump);
    EXPECT_EQ(dumps(), (QStringList{"A20260712_1430050.txt", "B20260712_1433050.txt",
                                    "a20260712_1431050.txt"}));
    EXPECT_DOUBLE_EQ(session().dynamicRecording().nextSaveTime(), m_inputs.step.now + 33 * kMinute);
    EXPECT_TRUE(session().dynamicRecording().savedSystems().isEmpty());

    // Inside the interval a system's step runs but no dump is made.
    const AddressTickResult waiting = tick('A', 20);
    EXPECT_EQ(waiting.action, AddressAction::RunAddressStep);
    ASSERT_TRUE(waiting.pass);
    EXPECT_EQ(waiting.pass->label64, QStringLiteral("Dynamic file name.."));
    EXPECT_FALSE(waiting.pass->dump);
    EXPECT_EQ(tick('a', 34).pass->dump->name, QStringLiteral("dynamic/a20260712_1504050.txt"));
    EXPECT_EQ(dumps().size(), 4);
}

TEST_F(AddressTick, ARepeatedCharacterOrAnInnerBlankNeverHoldsThePassOpen) {
    m_inputs.addressList = QStringLiteral(" AaA  B ");
    tick('A');
    tick('a', 1);
    EXPECT_EQ(session().dynamicRecording().savedSystems(), QStringLiteral("Aa"));
    tick('B', 2);
    EXPECT_DOUBLE_EQ(session().dynamicRecording().nextSaveTime(), m_inputs.step.now + 32 * kMinute);
    // A blank address is listed here, so its step runs, but a blank is no system to dump.
    const AddressTickResult blank = tick(' ', 40);
    EXPECT_EQ(blank.action, AddressAction::RunAddressStep);
    EXPECT_FALSE(blank.pass->dump);
    EXPECT_EQ(tick('A', 41).pass->dump->name, QStringLiteral("dynamic/A20260712_1511050.txt"));
}

TEST_F(AddressTick, DumpsWaitForTheSwitchAndAFullBufferAndTheIntervalMustConvert) {
    m_inputs.dynamicSave = false;
    EXPECT_FALSE(tick('A').pass->dump);
    m_inputs.dynamicSave = true;
    m_table.records[4].timeStamp = 0; // the newest record: the buffer is not full
    EXPECT_FALSE(tick('a').pass->dump);
    EXPECT_TRUE(dumps().isEmpty());

    m_table.records[4].timeStamp = 2;
    m_inputs.addressList = QStringLiteral("B");
    m_inputs.dynamicIntervalText = QStringLiteral("pół godziny");
    const AddressTickResult bad = tick('B');
    ASSERT_TRUE(bad.conversionError());
    EXPECT_TRUE(bad.pass->dump) << "the dump is made before the interval is read";
    EXPECT_EQ(session().addressState().addressPassCount, 2) << "the tick is not counted";
}

TEST_F(AddressTick, AStepEndedByATypedNumberHasNoPassAndIsNotCounted) {
    m_inputs.step.saveEvery = true;
    m_inputs.step.saveEveryText = QStringLiteral("x");
    const AddressTickResult r = tick('B');
    ASSERT_TRUE(r.conversionError());
    EXPECT_FALSE(r.pass);
    EXPECT_EQ(session().addressState().addressPassCount, 0);
    EXPECT_EQ(session().addressState().lastAddress, 'B') << "the address was taken before";
    EXPECT_TRUE(dumps().isEmpty());
}

TEST_F(AddressTick, SaveBuferDumpsForTheLastSystemWithItsDirection) {
    const BufferDumpResult none =
        session().dumpBuffer(m_table.view(), m_inputs.step.now, QStringLiteral("dynamic/"), {});
    EXPECT_EQ(none.name, QStringLiteral("dynamic/buf20260712_1430050.txt"));
    tick('a');
    session().power().direction = -1;
    EXPECT_EQ(
        session().dumpBuffer(m_table.view(), m_inputs.step.now, QStringLiteral("d/"), {}).name,
        QStringLiteral("d/a20260712_143005L.txt"));
    EXPECT_TRUE(QFile::exists(m_dir.filePath(QStringLiteral("d/a20260712_143005L.txt"))));
}

} // namespace
} // namespace korvanta::monitor
