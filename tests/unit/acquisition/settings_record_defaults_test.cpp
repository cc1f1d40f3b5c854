#include "acquisition/settings_record.h"
#include "unit/acquisition/raw_bytes.h"

#include <cstring>
#include <gtest/gtest.h>

using korvanta::acquisition::SettingsRecord;
using namespace korvanta::testing;

TEST(SettingsRecordDefaults, MissingFileDefaultsAndNothingElse) {
    SettingsRecord record;
    record.applyMissingFileDefaults();
    QByteArray expected(static_cast<qsizetype>(SettingsRecord::kSize), '\0');
    expected.replace(8904, 4, le32(295));
    expected.replace(8912, 4, le32(201));
    expected.replace(8916, 4, le32(300));
    for (int k = 1; k <= 64; ++k) {
        expected.replace(8916 + 4 * k, 4, le32(k)); // channelNumber: "k1" … "k64" in headers
    }
    expected.replace(17004, 13, QByteArray("00:00:01.000", 13));
    expected.replace(17019, 2, QByteArray("1", 2));
    expected.replace(18032, 4, QByteArray("100", 4));
    expected.replace(18042, 5, QByteArray("-100", 5));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(record.bytes()), expected.size()), expected);
}

TEST(SettingsRecordDefaults, PanelSizesAreRaisedToTwentyTwo) {
    SettingsRecord record;
    record.setPanel1Width(5);
    record.setPropertiesPanelWidth(-40);
    record.setPanel3Height(22);
    record.raisePanelSizes();
    EXPECT_EQ(record.panel1Width(), 22);
    EXPECT_EQ(record.propertiesPanelWidth(), 22);
    EXPECT_EQ(record.panel3Height(), 22);
    record.setPanel1Width(23);
    record.setPropertiesPanelWidth(295);
    record.setPanel3Height(300);
    record.raisePanelSizes();
    EXPECT_EQ(record.panel1Width(), 23);
    EXPECT_EQ(record.propertiesPanelWidth(), 295);
    EXPECT_EQ(record.panel3Height(), 300);
}

TEST(SettingsRecordDefaults, ChannelResetForEightChannels) {
    SettingsRecord record;
    std::memset(record.bytes(), 0x7B, SettingsRecord::kSize);
    record.resetChannelDefaults(8);
    for (int k = 1; k <= 64; ++k) {
        SCOPED_TRACE(k);
        const bool used = k <= 8;
        EXPECT_EQ(record.active(k), used);
        EXPECT_EQ(record.addGraph(k), used);
        EXPECT_EQ(record.inputNumber(k), k);
        EXPECT_EQ(record.channelNumber(k), k);
        EXPECT_EQ(record.functionIndex(k), 0);
        EXPECT_EQ(record.bufferLength(k), 0);
        EXPECT_EQ(record.decimalPlaces(k), 1);
        EXPECT_EQ(record.chartCoefficient(k), 1);
        EXPECT_EQ(record.operand1(k), 0x7B7B7B7B) << "operands are not reset";
    }
    // Element 0 of the arrays and the neighbouring fields keep their bytes.
    EXPECT_EQ(record.panel3Height(), 0x7B7B7B7B);
    EXPECT_EQ(record.bytes()[16468], 0x7B);
    EXPECT_EQ(record.channelName(1), QString(20, QLatin1Char('{')));
}
