#include "simulator/hostile_writer.h"
#include "simulator/sim_options.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace korvanta::simulator {
namespace {

constexpr int kTableRecords = 2000;

struct Spoiled {
    std::vector<double> timeStamps;
    std::vector<float> samples;
    std::vector<std::int32_t> indices; // currentIndex of each round
    std::vector<double> periods;
    std::int64_t written = 0;
};

Spoiled spoil(std::uint32_t seed, int rounds) {
    HostileWriter writer(seed);
    std::array<unsigned char, acquisition::ControlBlock::kSize> bytes{};
    const acquisition::ControlBlock control(bytes.data());
    Spoiled out;
    for (int i = 0; i < rounds; ++i) {
        acquisition::Tabela record;
        writer.spoilRecord(record);
        writer.spoilControl(control, kTableRecords);
        out.timeStamps.push_back(record.timeStamp);
        out.samples.insert(out.samples.end(), std::begin(record.values), std::end(record.values));
        out.indices.push_back(control.currentIndex());
        out.periods.push_back(control.samplePeriod());
    }
    out.written = writer.valuesWritten();
    return out;
}

template <typename T, typename Test> bool any(const std::vector<T>& values, Test test) {
    return std::any_of(values.begin(), values.end(), test);
}

TEST(HostileWriter, WritesEveryKindOfBadValueCountsThemAndRepeatsWithTheSeed) {
    const Spoiled a = spoil(7, 1000);
    // A record is its time stamp and 32 inputs; the control block 7 fields and 64 aux values.
    EXPECT_EQ(a.written, 1000 * (1 + 32) + 1000 * (7 + 64));
    for (const auto& values : {a.timeStamps, a.periods}) {
        EXPECT_TRUE(any(values, [](double v) { return std::isnan(v); }));
        EXPECT_TRUE(
            any(values, [](double v) { return v == std::numeric_limits<double>::infinity(); }));
        EXPECT_TRUE(
            any(values, [](double v) { return v == -std::numeric_limits<double>::infinity(); }));
        EXPECT_TRUE(any(values, [](double v) { return std::abs(v) > 1e300; }));
        EXPECT_TRUE(any(values, [](double v) { return v > 36526 && v < 73051; }));
    }
    EXPECT_TRUE(any(a.samples, [](float v) { return std::isnan(v); }));
    EXPECT_TRUE(any(a.samples, [](float v) { return std::isinf(v); }));
    EXPECT_TRUE(any(a.indices, [](std::int32_t v) { return v == kTableRecords; }));
    EXPECT_TRUE(any(a.indices, [](std::int32_t v) { return v < 0; }));
    EXPECT_TRUE(any(a.indices, [](std::int32_t v) { return v > 0 && v < kTableRecords; }));

    const Spoiled again = spoil(7, 1000);
    EXPECT_EQ(again.indices, a.indices);
    EXPECT_NE(spoil(8, 1000).indices, a.indices);
}

TEST(HostileWriter, TheRandomPhaseIsAnOptionWithAnOptionalEnd) {
    const ParsedOptions parsed =
        parseSimOptions({"--hostile-random", "42", "--hostile-for", "2.5"});
    ASSERT_TRUE(parsed.error.isEmpty()) << parsed.error.toStdString();
    EXPECT_EQ(parsed.options.hostileRandomSeed, 42U);
    EXPECT_EQ(parsed.options.hostileForS, 2.5);
    EXPECT_FALSE(parseSimOptions({}).options.hostileRandomSeed);
    EXPECT_FALSE(parseSimOptions({"--hostile-for", "3"}).error.isEmpty());
    EXPECT_FALSE(parseSimOptions({"--hostile-random", "-1"}).error.isEmpty());
}

} // namespace
} // namespace korvanta::simulator
