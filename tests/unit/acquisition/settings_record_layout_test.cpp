#include "acquisition/settings_record.h"
#include "unit/acquisition/raw_bytes.h"
#include "unit/acquisition/settings_record_fields.h"

#include <cstring>
#include <gtest/gtest.h>

using korvanta::acquisition::SettingsRecord;
using namespace korvanta::testing;

namespace {

QByteArray bytesOf(const SettingsRecord& r) {
    return QByteArray(reinterpret_cast<const char*>(r.bytes()),
                      static_cast<qsizetype>(SettingsRecord::kSize));
}

SettingsRecord filledRecord(unsigned char pattern) {
    SettingsRecord r;
    std::memset(r.bytes(), pattern, SettingsRecord::kSize);
    return r;
}

} // namespace

TEST(SettingsRecordLayout, EveryFieldLandsAtItsOffsetAndNowhereElse) {
    for (const SettingsField& field : settingsFields()) {
        SCOPED_TRACE(field.name);
        SettingsRecord record = filledRecord(0xC3);
        const SettingsRecord before = record;
        field.write(record);
        EXPECT_TRUE(onlyRangeChanged(before.bytes(), record.bytes(), SettingsRecord::kSize,
                                     field.offset, field.bytes));
        EXPECT_TRUE(field.holds(record));
    }
}

TEST(SettingsRecordLayout, OverlappingElementsStayApart) {
    SettingsRecord record = filledRecord(0);
    record.setPanel3Height(300);
    EXPECT_EQ(record.channelNumber(0), 0) << "element 0 is no channel";
    record.setSaveEveryText(QStringLiteral("123"));
    record.setSaveEvery(true);
    record.setOperand1(1, 77);
    record.setOperand1(64, 78);
    record.setEditedChannel(5);
    EXPECT_EQ(record.saveEveryText(), QStringLiteral("123"));
    EXPECT_TRUE(record.saveEvery());
    EXPECT_EQ(record.operand1(1), 77);
    EXPECT_EQ(record.operand1(64), 78);
    EXPECT_EQ(record.editedChannel(), 5);
    // operand1 element 0 would be 17020..17023: "23", NUL, saveEvery.
    EXPECT_EQ(std::memcmp(record.bytes() + 17020, "23\0\x01", 4), 0);
    record.setLowerLimitText(QStringLiteral("-123456789"));
    record.setOperand2(1, 9);
    EXPECT_EQ(record.lowerLimitText(), QStringLiteral("-12345678"));
    EXPECT_EQ(record.operand2(1), 9);
    record.setReportsMode(true);
    record.setSeriesColor(1, 0xABCDEF);
    EXPECT_TRUE(record.reportsMode());
    EXPECT_EQ(record.seriesColor(1), 0xABCDEFU);

    // Channels 0 and 65 are no channels: writes change nothing, reads give nothing.
    const SettingsRecord before = record;
    for (const int k : {0, 65, -1}) {
        record.setChannelNumber(k, 1);
        record.setInputNumber(k, 1);
        record.setOperand1(k, 1);
        record.setOperand3(k, 1);
        record.setSeriesColor(k, 1);
        record.setActive(k, true);
        record.setChannelName(k, QStringLiteral("x"));
        record.setChannelNote(k, QStringLiteral("x"));
        EXPECT_EQ(record.operand1(k), 0);
        EXPECT_FALSE(record.active(k));
        EXPECT_TRUE(record.channelName(k).isEmpty());
    }
    record.setObjectChannel(12, 1);
    record.setExtraObjectChannel(6, 1);
    record.setPhasePeriod(4, QStringLiteral("x"));
    record.setMotionCommand(9, QStringLiteral("x"));
    record.setExtraCommand(2, QStringLiteral("x"));
    EXPECT_EQ(bytesOf(record), bytesOf(before));
}

TEST(SettingsRecordLayout, TextsAreCutEncodedAndTerminated) {
    SettingsRecord record = filledRecord(0x55);
    record.setSaveEveryText(QStringLiteral("1000"));
    EXPECT_EQ(record.saveEveryText(), QStringLiteral("100"));
    EXPECT_EQ(std::memcmp(record.bytes() + 17019, "100\0", 4), 0);
    EXPECT_EQ(record.bytes()[17023], 0x55) << "saveEvery untouched";

    record.setChannelName(5, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY")); // 25 characters
    EXPECT_EQ(record.channelName(5), QStringLiteral("ABCDEFGHIJKLMNOPQRS"));
    EXPECT_EQ(record.bytes()[10052 + 100 + 19], 0);
    EXPECT_EQ(record.bytes()[10052 + 120], 0x55) << "channel 6 untouched";

    record.setChannelName(2, QStringLiteral("U φ € Ż"));
    // φ has no code page 1250 byte; € is 80, Ż is AF.
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(record.bytes() + 10092), 8),
              QByteArray("U ? \x80 \xAF\0", 8));

    // Flags: any byte other than 0 is on.
    record.bytes()[18986] = 7;
    record.bytes()[9944] = 0x80;
    record.bytes()[9945] = 0;
    EXPECT_TRUE(record.autoLimits());
    EXPECT_TRUE(record.active(1));
    EXPECT_FALSE(record.active(2));
}
