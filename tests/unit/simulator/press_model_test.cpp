#include "simulator/press_model.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace korvanta::simulator {
namespace {

// 2 kN/mm past a 2 mm gap at 1 mm/s; the frame yields at 8 kN, 4 mm past the gap, and then
// hardens at 0.2 kN/mm.
PressSettings bench(std::optional<double> yieldKn = 8.0, double noiseKn = 0) {
    PressSettings s;
    s.forceInput = 9;
    s.displacementInput = 10;
    s.stiffnessKnPerMm = 2.0;
    s.gapMm = 2.0;
    s.speedMmPerS = 1.0;
    s.yieldKn = yieldKn;
    s.noiseKn = noiseKn;
    return s;
}

// Runs `command` for `seconds` in record-sized steps, as the acquisition does.
void run(PressModel& press, const char* command, double seconds) {
    constexpr double kStep = 0.001;
    press.applyCommand(QString::fromLatin1(command));
    for (int i = 0; i < static_cast<int>(std::lround(seconds / kStep)); ++i) {
        press.advance(kStep);
    }
}

constexpr const char* kDown = PressModel::kDownCommand;
constexpr const char* kUp = PressModel::kUpCommand;
constexpr double kTolerance = 1e-6;

TEST(PressModel, BelowYieldTheFrameIsElasticAndComesBackToZero) {
    PressModel press(bench(), 1);
    run(press, kDown, 4.0);
    EXPECT_NEAR(press.forceKn(), 4.0, kTolerance) << "2 mm past the gap";
    run(press, kDown, 1.9);
    EXPECT_NEAR(press.forceKn(), 7.8, kTolerance) << "just below the yield force";
    run(press, kUp, 1.9);
    EXPECT_NEAR(press.forceKn(), 4.0, kTolerance) << "unloading retraces the loading line";
    run(press, kUp, 2.5);
    EXPECT_NEAR(press.displacementMm(), 1.5, kTolerance);
    EXPECT_EQ(press.forceKn(), 0.0) << "above the gap";
    EXPECT_EQ(press.permanentSetMm(), 0.0);
    run(press, kUp, 3.0);
    EXPECT_EQ(press.displacementMm(), 0.0);

    PressModel elastic(bench(std::nullopt), 1);
    run(elastic, kDown, 12.0);
    EXPECT_NEAR(elastic.forceKn(), 20.0, kTolerance) << "no yield force: stiffness all the way";
    EXPECT_EQ(elastic.permanentSetMm(), 0.0);

    PressSettings limp = bench();
    limp.stiffnessKnPerMm = 0;
    PressModel noStiffness(limp, 1);
    run(noStiffness, kDown, 12.0);
    EXPECT_EQ(noStiffness.forceKn(), 0.0);
    EXPECT_EQ(noStiffness.permanentSetMm(), 0.0);
}

TEST(PressModel, PastYieldTheSetStaysAndTheCycleIsALoop) {
    PressModel press(bench(), 1);
    run(press, kDown, 11.0);
    // 9 mm past the gap: 8 kN at 4 mm, then 0.2 kN/mm over 5 mm.
    EXPECT_NEAR(press.forceKn(), 9.0, kTolerance);
    EXPECT_NEAR(press.permanentSetMm(), 9.0 - 9.0 / 2.0, kTolerance);
    run(press, kDown, 1.0);
    EXPECT_NEAR(press.forceKn(), 9.2, kTolerance);
    EXPECT_NEAR(press.permanentSetMm(), 5.4, kTolerance);

    run(press, kUp, 1.0);
    EXPECT_NEAR(press.forceKn(), 7.2, kTolerance)
        << "unloading at the stiffness: below the 9 kN of loading at the same place";
    EXPECT_NEAR(press.permanentSetMm(), 5.4, kTolerance);
    run(press, kUp, 3.6);
    EXPECT_NEAR(press.displacementMm(), 7.4, kTolerance);
    EXPECT_NEAR(press.forceKn(), 0.0, kTolerance) << "the contact point moved down by the set";
    run(press, kUp, 0.4);
    EXPECT_EQ(press.forceKn(), 0.0);
    EXPECT_NEAR(press.displacementMm(), 7.0, kTolerance) << "free of force, yet not back at 0";

    run(press, kDown, 5.0);
    EXPECT_NEAR(press.forceKn(), 9.2, kTolerance) << "reloading is elastic up to the old peak";
    EXPECT_NEAR(press.permanentSetMm(), 5.4, kTolerance);
    run(press, kDown, 1.0);
    EXPECT_NEAR(press.forceKn(), 9.4, kTolerance) << "and yields again past it";
    EXPECT_NEAR(press.permanentSetMm(), 6.3, kTolerance);

    run(press, kUp, 20.0);
    EXPECT_EQ(press.displacementMm(), 0.0);
    EXPECT_NEAR(press.permanentSetMm(), 6.3, kTolerance) << "the set stays after unloading";
}

std::vector<double> readings(PressModel& press, int count) {
    std::vector<double> out;
    for (int i = 0; i < count; ++i) {
        out.push_back(press.forceReadingKn());
    }
    return out;
}

TEST(PressModel, ForceNoiseRepeatsWithItsSeed) {
    PressModel a(bench(8.0, 0.5), 42);
    PressModel b(bench(8.0, 0.5), 42);
    PressModel other(bench(8.0, 0.5), 43);
    run(a, kDown, 5.0);
    run(b, kDown, 5.0);
    run(other, kDown, 5.0);
    const std::vector<double> first = readings(a, 2000);
    EXPECT_EQ(first, readings(b, 2000));
    EXPECT_NE(first, readings(other, 2000));

    double sum = 0;
    double squares = 0;
    for (const double r : first) {
        sum += r - a.forceKn();
        squares += (r - a.forceKn()) * (r - a.forceKn());
    }
    const double mean = sum / static_cast<double>(first.size());
    EXPECT_NEAR(mean, 0.0, 0.05);
    EXPECT_NEAR(std::sqrt(squares / static_cast<double>(first.size()) - mean * mean), 0.5, 0.05);

    PressModel quiet(bench(8.0, 0.0), 42);
    run(quiet, kDown, 5.0);
    for (const double r : readings(quiet, 100)) {
        EXPECT_EQ(r, quiet.forceKn());
    }
    EXPECT_NEAR(quiet.forceKn(), 6.0, kTolerance);
}

} // namespace
} // namespace korvanta::simulator
