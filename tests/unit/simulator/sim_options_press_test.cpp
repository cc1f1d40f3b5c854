#include "simulator/sim_options.h"

#include <gtest/gtest.h>

namespace korvanta::simulator {
namespace {

ParsedOptions parse(const QString& line) {
    return parseSimOptions(line.split(QLatin1Char(' ')));
}

TEST(SimOptionsPress, TheFiveValueFormKeepsItsMeaningAndYieldAndNoiseAreOptions) {
    const ParsedOptions old = parse(QStringLiteral("--press 3:4:1.5:3:0.5"));
    ASSERT_TRUE(old.error.isEmpty()) << old.error.toStdString();
    const PressSettings& p = old.options.press;
    EXPECT_EQ(p.forceInput, 3);
    EXPECT_EQ(p.displacementInput, 4);
    EXPECT_EQ(p.stiffnessKnPerMm, 1.5);
    EXPECT_EQ(p.gapMm, 3.0);
    EXPECT_EQ(p.speedMmPerS, 0.5);
    EXPECT_FALSE(p.yieldKn.has_value()) << "elastic unless asked";
    EXPECT_EQ(p.noiseKn, 0.0);
    EXPECT_EQ(old.options.channels, 8);

    const ParsedOptions both =
        parse(QStringLiteral("--press-noise 0.1 --press 1:2 --press-yield 7.5"));
    ASSERT_TRUE(both.error.isEmpty()) << both.error.toStdString();
    EXPECT_EQ(both.options.press.yieldKn, 7.5);
    EXPECT_EQ(both.options.press.noiseKn, 0.1);
    EXPECT_EQ(both.options.press.gapMm, 5.0);

    for (const char* line : {"--press 1:2 --press-yield 0", "--press 1:2 --press-yield -3",
                             "--press 1:2 --press-yield 8kN", "--press 1:2 --press-noise -0.1",
                             "--press-yield 8", "--press-noise 0.1", "--press 1:2 --press-yield"}) {
        const ParsedOptions bad = parse(QString::fromLatin1(line));
        EXPECT_TRUE(bad.error.startsWith(QStringLiteral("--press-"))) << line;
    }
}

TEST(SimOptionsPress, TheDemoHasItsOwnPressThatTheCommandLineOverrides) {
    const ParsedOptions demo = parse(QStringLiteral("--profile demo"));
    ASSERT_TRUE(demo.error.isEmpty());
    const SimOptions& o = demo.options;
    EXPECT_EQ(o.channels, 10) << "channels 9 and 10 reach the press by default";
    EXPECT_EQ(o.press.forceInput, 9);
    EXPECT_EQ(o.press.displacementInput, 10);
    EXPECT_EQ(o.press.stiffnessKnPerMm, 2.0);
    EXPECT_EQ(o.press.gapMm, 2.0);
    EXPECT_EQ(o.press.speedMmPerS, 1.0);
    EXPECT_EQ(o.press.yieldKn, 8.0);
    EXPECT_EQ(o.press.noiseKn, 0.02);
    for (const SignalComponent& c : o.components) {
        EXPECT_NE(c.input, o.press.forceInput) << "the press inputs are its own";
        EXPECT_NE(c.input, o.press.displacementInput);
    }

    for (const char* line : {"--channels 8 --press 4:6 --press-noise 0 --profile demo",
                             "--profile demo --channels 8 --press 4:6 --press-noise 0"}) {
        const ParsedOptions mixed = parse(QString::fromLatin1(line));
        ASSERT_TRUE(mixed.error.isEmpty()) << line;
        const SimOptions& m = mixed.options;
        EXPECT_EQ(m.channels, 8) << line;
        EXPECT_EQ(m.press.forceInput, 4) << line;
        EXPECT_EQ(m.press.displacementInput, 6) << line;
        EXPECT_EQ(m.press.gapMm, 5.0) << line << ": the press of --press keeps its own defaults";
        EXPECT_EQ(m.press.noiseKn, 0.0) << line;
        EXPECT_EQ(m.press.yieldKn, 8.0)
            << line << ": what the line leaves open comes from the demo";
    }
}

} // namespace
} // namespace korvanta::simulator
