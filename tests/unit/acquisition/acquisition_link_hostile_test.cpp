#include "acquisition/acquisition_link.h"
#include "common/number_format.h"
#include "support/fake_acquisition.h"

#include <climits>
#include <gtest/gtest.h>

using namespace korvanta::acquisition;
using korvanta::testing::FakeAcquisition;

namespace {

constexpr std::size_t kRecord = sizeof(Tabela);

class AcquisitionLinkHostile : public ::testing::Test {
protected:
    void TearDown() override { korvanta::common::setDecimalSeparator(m_separator); }

    // Blocks with `records` records in the object and in recordCount, attached to `link`.
    ControlBlock attach(AcquisitionLink& link, int records) {
        ControlBlock control = blocks.createControlBlock();
        EXPECT_NE(control.bytes(), nullptr);
        control.setRecordCount(records);
        EXPECT_NE(createNumberedTable(static_cast<std::size_t>(records) * kRecord), nullptr);
        EXPECT_TRUE(link.attachControlBlock());
        EXPECT_TRUE(link.attachDataTable());
        return control;
    }

    // A table object of `bytes` bytes whose record i holds time stamp i + 1.
    Tabela* createNumberedTable(std::size_t bytes) {
        Tabela* records = blocks.createTable(bytes);
        blocks.stampRecords(1.0, 1.0);
        return records;
    }

    FakeAcquisition blocks;

private:
    QChar m_separator = korvanta::common::decimalSeparator();
};

} // namespace

TEST_F(AcquisitionLinkHostile, MissingOrShortControlBlockGivesReadOnlyMode) {
    AcquisitionLink link;
    EXPECT_FALSE(link.attachControlBlock());
    EXPECT_TRUE(link.readOnlyMode());
    EXPECT_EQ(link.control().channelCount(), 0);
    EXPECT_EQ(link.control().recordCount(), 0);
    EXPECT_EQ(link.frequencyText(), QStringLiteral("---.--"));
    link.sendCommand(QStringLiteral("#1 x0;0 y0;0 &"));
    link.requestEnd();
    EXPECT_EQ(link.control().commandText(), QStringLiteral("#1 x0;0 y0;0 &"));
    EXPECT_EQ(link.control().closeRequest(), 1);
    EXPECT_FALSE(link.attachDataTable());
    EXPECT_FALSE(link.tick().hasData());
    EXPECT_EQ(link.checkNewRecord(), RecordArrival::NoData);

    blocks.createControlBlock(100);
    AcquisitionLink shortLink;
    EXPECT_FALSE(shortLink.attachControlBlock());
    EXPECT_TRUE(shortLink.readOnlyMode());
}

TEST_F(AcquisitionLinkHostile, CurrentIndexOutsideTheRingReadsAsNoData) {
    AcquisitionLink link;
    ControlBlock control = attach(link, 10);
    link.setLastTimeStamp(0.5);
    for (const std::int32_t r : {-1, 10, INT_MAX, INT_MIN}) {
        control.setCurrentIndex(r);
        EXPECT_FALSE(link.tick().hasData()) << r;
        EXPECT_EQ(link.checkNewRecord(), RecordArrival::NoData) << r;
        EXPECT_EQ(link.lastTimeStamp(), 0.5);
    }
    control.setCurrentIndex(9);
    TickView view = link.tick();
    ASSERT_TRUE(view.hasData());
    EXPECT_EQ(view.recordCount(), 10);
    EXPECT_EQ(view.currentIndex, 9);
    EXPECT_EQ(view.newestIndex(), 8);
    EXPECT_EQ(view.table.record(9).timeStamp, 10.0); // the last record of the view
    control.setCurrentIndex(0);
    view = link.tick();
    ASSERT_TRUE(view.hasData());
    EXPECT_EQ(view.newestIndex(), 9);
    EXPECT_EQ(view.table.record(view.newestIndex()).timeStamp, 10.0);
}

TEST_F(AcquisitionLinkHostile, RecordCountNotPositiveMapsNothing) {
    AcquisitionLink link;
    ControlBlock control = attach(link, 10);
    for (const std::int32_t n : {0, -5, INT_MIN}) {
        control.setRecordCount(n);
        EXPECT_FALSE(link.tick().hasData()) << n;
        EXPECT_FALSE(link.attachDataTable()) << n;
        EXPECT_EQ(link.mappedRecordCount(), 0);
        EXPECT_FALSE(link.tick().hasData());
    }
}

TEST_F(AcquisitionLinkHostile, RecordCountBeyondTheMappedViewReadsAsNoData) {
    AcquisitionLink link;
    ControlBlock control = attach(link, 10);
    control.setCurrentIndex(4);
    control.setRecordCount(11); // changed after mapping: the view keeps its 10 records
    EXPECT_EQ(link.mappedRecordCount(), 10);
    EXPECT_FALSE(link.tick().hasData());
    control.setRecordCount(5); // fewer than mapped: a ring of 5
    TickView view = link.tick();
    ASSERT_TRUE(view.hasData());
    EXPECT_EQ(view.recordCount(), 5);
    EXPECT_EQ(view.table.record(4).timeStamp, 5.0);
    EXPECT_EQ(view.table.previousIndex(0), 4);
    control.setCurrentIndex(5);
    EXPECT_FALSE(link.tick().hasData());
}

TEST_F(AcquisitionLinkHostile, ViewNeverExceedsTheSharedObject) {
    AcquisitionLink link;
    ControlBlock control = blocks.createControlBlock();
    // 50 records and a part of one; recordCount claims 100 (14400 bytes, past the object's
    // pages: touching them would raise SIGBUS).
    createNumberedTable(50 * kRecord + 100);
    control.setRecordCount(100);
    ASSERT_TRUE(link.attachControlBlock());
    ASSERT_TRUE(link.attachDataTable());
    EXPECT_EQ(link.mappedRecordCount(), 50);
    EXPECT_FALSE(link.tick().hasData());
    control.setRecordCount(50);
    control.setCurrentIndex(49);
    const TickView view = link.tick();
    ASSERT_TRUE(view.hasData());
    EXPECT_EQ(view.table.record(49).timeStamp, 50.0);

    control.setRecordCount(INT_MAX); // INT_MAX × 144 does not fit 32 bits
    ASSERT_TRUE(link.attachDataTable());
    EXPECT_EQ(link.mappedRecordCount(), 50);
    EXPECT_FALSE(link.tick().hasData());
    EXPECT_EQ(link.checkNewRecord(), RecordArrival::NoData);
}

TEST_F(AcquisitionLinkHostile, CountsOutsideTheirRangesInTheSharedBlock) {
    AcquisitionLink link;
    ControlBlock control = attach(link, 4);
    const std::pair<std::int32_t, int> channels[] = {{65, 0}, {-1, 0}, {64, 64}, {3, 3}};
    for (const auto& [raw, safe] : channels) {
        control.setChannelCount(raw);
        EXPECT_EQ(link.control().safeChannelCount(), safe) << raw;
        EXPECT_EQ(link.tick().control.safeChannelCount(), safe) << raw;
    }
    const std::pair<std::int32_t, int> aux[] = {{500, -1}, {64, -1}, {-2, -1}, {63, 63}, {0, 0}};
    for (const auto& [raw, safe] : aux) {
        control.setAuxCount(raw);
        EXPECT_EQ(link.control().safeAuxCount(), safe) << raw;
    }
}

TEST_F(AcquisitionLinkHostile, NewRecordDetection) {
    AcquisitionLink link;
    ControlBlock control = attach(link, 10);
    control.setCurrentIndex(3); // record 3 holds time stamp 4
    EXPECT_EQ(link.checkNewRecord(), RecordArrival::New);
    EXPECT_EQ(link.lastTimeStamp(), 4.0);
    EXPECT_EQ(link.checkNewRecord(), RecordArrival::Same);
    EXPECT_EQ(link.lastTimeStamp(), 4.0);
    link.setLastTimeStamp(100.0);
    EXPECT_EQ(link.checkNewRecord(), RecordArrival::Older);
    EXPECT_EQ(link.lastTimeStamp(), 100.0);
    link.tick().table.record(3).timeStamp = 200.0;
    EXPECT_EQ(link.checkNewRecord(), RecordArrival::New);
    EXPECT_EQ(link.lastTimeStamp(), 200.0);
    control.setCurrentIndex(0); // a wrap needs no special case: only the time stamp counts
    EXPECT_EQ(link.checkNewRecord(), RecordArrival::Older);
}

TEST_F(AcquisitionLinkHostile, RestartedAcquisitionIsFollowedOnTheNextMapping) {
    AcquisitionLink link;
    attach(link, 10);
    const ControlBlock earlier = link.control();
    // The acquisition program ends (its names go) and a new run creates new blocks.
    blocks.removeControlBlock();
    blocks.removeTable();
    ASSERT_FALSE(link.attachDataTable()) << "no table under the name any more";
    EXPECT_EQ(link.control().recordCount(), 10) << "without a new block the old one stays";
    ControlBlock control = blocks.createControlBlock();
    control.setRecordCount(30);
    control.setCurrentIndex(29);
    createNumberedTable(30 * kRecord);
    ASSERT_TRUE(link.attachDataTable());
    EXPECT_EQ(link.control().recordCount(), 30);
    EXPECT_EQ(link.mappedRecordCount(), 30);
    const TickView view = link.tick();
    ASSERT_TRUE(view.hasData());
    EXPECT_EQ(view.table.record(29).timeStamp, 30.0);
    link.sendCommand(QStringLiteral("#1 x0;0 y0;0 &"));
    EXPECT_EQ(control.commandText(), QStringLiteral("#1 x0;0 y0;0 &"));
    EXPECT_EQ(earlier.recordCount(), 10) << "a view of the old block stays readable";
}
