#include "acquisition/control_block.h"
#include "acquisition/data_table.h"
#include "common/number_format.h"
#include "unit/acquisition/raw_bytes.h"

#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <new>
#include <string>

using korvanta::acquisition::ControlBlock;
using korvanta::acquisition::DataTable;
using korvanta::acquisition::Tabela;
using namespace korvanta::testing;

namespace {

using Block = std::array<unsigned char, 3544>;

Block filledBlock(unsigned char pattern) {
    Block b;
    b.fill(pattern);
    return b;
}

struct ControlField {
    std::string name;
    std::size_t offset;
    QByteArray bytes;
    std::function<void(ControlBlock&)> write;
    std::function<bool(const ControlBlock&)> holds;
};

// The control block's fields, tabulated from its layout table.
std::vector<ControlField> controlFields() {
    using C = ControlBlock;
    const auto i32 = [](std::string n, std::size_t o, std::int32_t v, void (C::*set)(std::int32_t),
                        std::int32_t (C::*get)() const) {
        return ControlField{std::move(n), o, le32(static_cast<std::uint32_t>(v)),
                            [=](C& c) { (c.*set)(v); },
                            [=](const C& c) {
                                return (c.*get)() == v;
                            }};
    };
    const auto u8 = [](std::string n, std::size_t o, void (C::*set)(std::uint8_t),
                       std::uint8_t (C::*get)() const) {
        return ControlField{std::move(n), o, QByteArray("\x01", 1), [=](C& c) { (c.*set)(1); },
                            [=](const C& c) {
                                return (c.*get)() == 1;
                            }};
    };
    const auto text = [](std::string n, std::size_t o, const QString& t, const QByteArray& cp,
                         void (C::*set)(const QString&), QString (C::*get)() const) {
        return ControlField{std::move(n), o, fixedText(cp, 60), [=](C& c) { (c.*set)(t); },
                            [=](const C& c) {
                                return (c.*get)() == t;
                            }};
    };
    return {
        i32("channelCount", 0, 0x01020304, &C::setChannelCount, &C::channelCount),
        i32("recordCount", 8, 6000, &C::setRecordCount, &C::recordCount),
        i32("currentIndex", 116, -5, &C::setCurrentIndex, &C::currentIndex),
        i32("reportNumber", 120, 77, &C::setReportNumber, &C::reportNumber),
        u8("addressFlag", 134, &C::setAddressFlag, &C::addressFlag),
        u8("acquisitionActive", 136, &C::setAcquisitionActive, &C::acquisitionActive),
        u8("closeRequest", 140, &C::setCloseRequest, &C::closeRequest),
        {"samplePeriod", 400, f64Bits(0x3FF8000000000000ULL), [](C& c) { c.setSamplePeriod(1.5); },
         [](const C& c) {
             return c.samplePeriod() == 1.5;
         }},
        {"auxValues[0]", 2640, f32Bits(0x3FC00000U), [](C& c) { c.setAuxValue(0, 1.5F); },
         [](const C& c) {
             return c.auxValue(0) == 1.5F;
         }},
        {"auxValues[63]", 2892, f32Bits(0xC0100000U), [](C& c) { c.setAuxValue(63, -2.25F); },
         [](const C& c) {
             return c.auxValue(63) == -2.25F;
         }},
        i32("auxCount", 2896, 63, &C::setAuxCount, &C::auxCount),
        {"systemAddress", 2924, QByteArray("B"), [](C& c) { c.setSystemAddress('B'); },
         [](const C& c) {
             return c.systemAddress() == 'B';
         }},
        {"maxForce", 3056, f32Bits(0x41480000U), [](C& c) { c.setMaxForce(12.5F); },
         [](const C& c) {
             return c.maxForce() == 12.5F;
         }},
        {"maxDisplacement", 3060, f32Bits(0x3F400000U), [](C& c) { c.setMaxDisplacement(0.75F); },
         [](const C& c) {
             return c.maxDisplacement() == 0.75F;
         }},
        text("commandText", 3064, QStringLiteral("#1 x0;0 y0;0 &"), QByteArray("#1 x0;0 y0;0 &"),
             &C::setCommandText, &C::commandText),
        text("commandText2", 3124, QStringLiteral("Ząb"), QByteArray("Z\xB9\x62"),
             &C::setCommandText2, &C::commandText2),
        text("commandText3", 3184, QStringLiteral("#3"), QByteArray("#3"), &C::setCommandText3,
             &C::commandText3),
        i32("forceChannel", 3244, 3, &C::setForceChannel, &C::forceChannel),
        i32("displacementChannel", 3248, 4, &C::setDisplacementChannel, &C::displacementChannel),
    };
}

} // namespace

TEST(ControlBlockLayout, EveryFieldLandsAtItsOffsetAndNowhereElse) {
    for (const ControlField& field : controlFields()) {
        SCOPED_TRACE(field.name);
        Block bytes = filledBlock(0x5A);
        const Block before = bytes;
        ControlBlock block(bytes.data());
        field.write(block);
        EXPECT_TRUE(
            onlyRangeChanged(before.data(), bytes.data(), bytes.size(), field.offset, field.bytes));
        EXPECT_TRUE(field.holds(block));
    }
}

TEST(ControlBlockLayout, CommandTextIsCutAtFiftyNineCharacters) {
    Block bytes = filledBlock(0x5A);
    const Block before = bytes;
    ControlBlock block(bytes.data());
    block.setCommandText(QString(70, QLatin1Char('a')));
    EXPECT_TRUE(onlyRangeChanged(before.data(), bytes.data(), bytes.size(), 3064,
                                 QByteArray(59, 'a') + QByteArray(1, '\0')));
    EXPECT_EQ(block.commandText(), QString(59, QLatin1Char('a')));
    block.setCommandText(QString());
    EXPECT_EQ(bytes[3064], 0);
    EXPECT_TRUE(block.commandText().isEmpty());
}

TEST(ControlBlockLayout, RequestEndTouchesOnlyItsTwoFlags) {
    Block bytes = filledBlock(0x5A);
    const Block before = bytes;
    ControlBlock block(bytes.data());
    block.requestEnd();
    EXPECT_TRUE(onlyRangeChanged(before.data(), bytes.data(), bytes.size(), 136,
                                 QByteArray("\x00\x5A\x5A\x5A\x01", 5)));
}

TEST(ControlBlockLayout, SafeReadingsOfCountsOutsideTheirRanges) {
    Block bytes = filledBlock(0);
    ControlBlock block(bytes.data());
    const std::pair<std::int32_t, int> channels[] = {{0, 0},  {8, 8},  {64, 64},
                                                     {65, 0}, {-1, 0}, {INT32_MAX, 0}};
    for (const auto& [raw, safe] : channels) {
        block.setChannelCount(raw);
        EXPECT_EQ(block.safeChannelCount(), safe) << raw;
    }
    const std::pair<std::int32_t, int> aux[] = {{0, 0},    {63, 63}, {64, -1},
                                                {500, -1}, {-1, -1}, {INT32_MIN, -1}};
    for (const auto& [raw, safe] : aux) {
        block.setAuxCount(raw);
        EXPECT_EQ(block.safeAuxCount(), safe) << raw;
    }
    const Block before = bytes;
    block.setAuxValue(-1, 1.0F);
    block.setAuxValue(64, 1.0F);
    EXPECT_EQ(bytes, before);
    EXPECT_EQ(block.auxValue(-1), 0.0F);
    EXPECT_EQ(block.auxValue(64), 0.0F);
}

TEST(ControlBlockLayout, FrequencyText) {
    korvanta::common::setDecimalSeparator(QLatin1Char('.'));
    Block bytes = filledBlock(0);
    ControlBlock block(bytes.data());
    EXPECT_EQ(block.frequencyText(), QStringLiteral("---.--"));
    EXPECT_EQ(block.frequencyHz(), 0.0);
    block.setSamplePeriod(1.0 / 86400.0);
    EXPECT_EQ(block.frequencyText(), QStringLiteral("1.00Hz"));
    block.setSamplePeriod(0.01 / 86400.0);
    EXPECT_EQ(block.frequencyText(), QStringLiteral("100.00Hz"));
    block.setSamplePeriod(1.0 / (3.0 * 86400.0));
    EXPECT_EQ(block.frequencyText(), QStringLiteral("3.00Hz"));
}

TEST(DataTableRing, FreshRecordsAndTheWrapOfTheRing) {
    alignas(Tabela) unsigned char storage[sizeof(Tabela)];
    std::fill(std::begin(storage), std::end(storage), 0xFF);
    const Tabela* fresh = new (storage) Tabela();
    for (const float v : fresh->values) {
        EXPECT_EQ(v, 0.0F);
    }
    EXPECT_EQ(fresh->link, 0U);

    Tabela records[3];
    records[2].values[31] = 4.0F;
    const auto* raw = reinterpret_cast<const unsigned char*>(records);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(raw + 2 * 144 + 136 - 4), 4),
              f32Bits(0x40800000U)); // input 32 of record 2 at byte 8 + 4 × 31
    const DataTable table(records, 3);
    EXPECT_EQ(table.previousIndex(0), 2);
    EXPECT_EQ(table.previousIndex(2), 1);
    EXPECT_EQ(table.nextIndex(2), 0);
    EXPECT_EQ(DataTable(records, -4).size(), 0);
}
