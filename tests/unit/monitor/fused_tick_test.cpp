// The fused evaluation of a tick against FunSwitch on each active channel in turn, bit for bit:
// the values, every Moc1fazy field and the median store, over several ticks in a row.

#include "monitor/backward_walk.h"
#include "monitor/channel_functions.h"
#include "monitor/vector_lanes.h"
#include "monitor/walk_sums.h"
#include "unit/monitor/monitor_table.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace korvanta::monitor {
namespace {

using testing::MonitorChannels;
using testing::MonitorTable;

std::uint64_t bits(double x) {
    return std::bit_cast<std::uint64_t>(x);
}

std::vector<std::uint64_t> fieldsOf(const Moc1fazy& p) {
    return {bits(p.Urms),
            bits(p.Irms),
            bits(p.direction),
            bits(p.phase),
            bits(p.phaseDegrees),
            bits(p.delayMs),
            bits(p.periodMs),
            bits(p.frequencyHz),
            bits(p.S),
            bits(p.P),
            bits(p.Q),
            bits(p.rms),
            bits(p.crest),
            bits(p.vRatio),
            static_cast<std::uint64_t>(p.window),
            bits(p.movingAverageCarry),
            bits(p.tU),
            bits(p.tUprev),
            bits(p.tI)};
}

// Two windows' worth of state that start equal: one evaluates the tick fused, the other runs
// FunSwitch on each active channel in ascending order.
struct Pair {
    MonitorChannels fused;
    MonitorChannels reference;

    void setChannel(int k, int code, int input, int bufferLength, int op1, int op2, int op3) {
        for (MonitorChannels* side : {&fused, &reference}) {
            side->channel(k, code, input, bufferLength);
            side->settings->setOperand1(k, op1);
            side->settings->setOperand2(k, op2);
            side->settings->setOperand3(k, op3);
        }
    }
    void setInactive(int k) {
        fused.settings->setActive(k, false);
        reference.settings->setActive(k, false);
    }

    void tick(MonitorTable& table, bool zero) {
        const acquisition::TickView view = table.view();
        ChannelContext fusedContext = fused.context(view, zero);
        evaluateActiveChannels(fusedContext);
        ChannelContext referenceContext = reference.context(view, zero);
        for (int i = 0; i < 64; ++i) {
            if (reference.settings->active(i + 1)) {
                FunSwitch(i, referenceContext);
            }
        }
    }

    void expectEqual(const std::string& where) {
        for (std::size_t i = 0; i < 64; ++i) {
            EXPECT_EQ(bits(fused.values[i]), bits(reference.values[i]))
                << where << " channel " << i + 1 << ": " << fused.values[i] << " against "
                << reference.values[i];
        }
        EXPECT_EQ(fieldsOf(fused.power), fieldsOf(reference.power)) << where;
        EXPECT_EQ(fused.median.size(), reference.median.size()) << where;
    }

    // The address step takes the median now and then; the stored values must match.
    void takeMedians(const std::string& where) {
        EXPECT_EQ(bits(fused.median.takeMedian()), bits(reference.median.takeMedian())) << where;
    }
};

class RandomTicks {
public:
    explicit RandomTicks(unsigned seed) : m_random(seed) {}

    int uniform(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(m_random);
    }
    double real(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(m_random);
    }
    bool chance(double p) { return std::bernoulli_distribution(p)(m_random); }

    // A sine of random frequency, amplitude, phase and offset, plain noise, a constant, or zero
    // crossings of exact zeros.
    void fillInput(MonitorTable& t, int m) {
        const int kind = uniform(0, 5);
        const double amplitude = real(0.001, 400);
        const double hz = real(1, 120);
        const double phase = real(-3.2, 3.2);
        const double offset = chance(0.5) ? 0.0 : real(-5, 5);
        for (int j = 0; j < t.size(); ++j) {
            const double ms = t.age(j);
            double v = 0;
            switch (kind) {
            case 0:
            case 1:
                v = testing::sine(amplitude, hz, ms, phase) + offset;
                break;
            case 2:
                v = real(-amplitude, amplitude);
                break;
            case 3:
                v = offset;
                break;
            case 4:
                v = std::round(testing::sine(2, hz, ms, phase)); // exact zeros on the way
                break;
            default:
                v = testing::sine(amplitude, hz, ms, phase) + real(-1, 1) * amplitude * 0.1;
            }
            t.set(j, m, static_cast<float>(v));
        }
    }

    void fillTable(MonitorTable& t) {
        for (int m = 1; m <= 32; ++m) {
            fillInput(t, m);
        }
    }

    // A random code, input (now and then outside 1..32), buffer length and operands.
    void randomChannel(Pair& pair, int k, int n) {
        const int code = chance(0.03) ? uniform(-2, 20) : uniform(0, 15);
        const int input = chance(0.08) ? uniform(-2, 40) : uniform(1, 32);
        int length = 0;
        if (chance(0.4)) {
            length = chance(0.1) ? uniform(-5, -1) : uniform(1, 3 * n + 3);
        }
        const auto operand = [&] {
            return chance(0.05) ? uniform(-1, 70) : uniform(1, 64);
        };
        pair.setChannel(k, code, input, length, operand(), operand(), operand());
        if (chance(0.15)) {
            pair.setInactive(k);
        }
    }

    // Equal starting state on both sides: values, a used Moc1fazy and a carried average.
    void randomState(Pair& pair) {
        for (std::size_t i = 0; i < 64; ++i) {
            pair.fused.values[i] = pair.reference.values[i] = real(-100, 100);
        }
        Moc1fazy start;
        start.phase = real(-1, 1);
        start.movingAverageCarry = real(-0.5, 0.5);
        start.direction = 1;
        start.frequencyHz = 50;
        start.crest = real(0, 3);
        pair.fused.power = pair.reference.power = start;
    }

    // The acquisition program moves on: a new current record and some records rewritten.
    void advance(MonitorTable& t) {
        t.control().setCurrentIndex(uniform(0, t.size() - 1));
        const int rewritten = uniform(0, t.size());
        for (int r = 0; r < rewritten; ++r) {
            const int j = uniform(0, t.size() - 1);
            for (int m = 1; m <= 32; ++m) {
                t.set(j, m, static_cast<float>(real(-50, 50)));
            }
        }
    }

private:
    std::mt19937 m_random;
};

// Runs `ticks` ticks over one table and channel set, comparing after each.
void compareTicks(RandomTicks& random, Pair& pair, MonitorTable& table, int ticks,
                  const std::string& where) {
    for (int t = 0; t < ticks; ++t) {
        const bool zero = random.chance(0.5);
        pair.tick(table, zero);
        const std::string at = where + " tick " + std::to_string(t) + (zero ? " ZERO" : "");
        pair.expectEqual(at);
        if (random.chance(0.3)) {
            pair.takeMedians(at);
        }
        random.advance(table);
    }
}

// Restores the lane width a test chose.
struct NarrowLanes {
    explicit NarrowLanes(bool narrow) { narrowLanesForced() = narrow; }
    ~NarrowLanes() { narrowLanesForced() = false; }
};

void compareRandomTablesAndChannels(unsigned seed) {
    RandomTicks random(seed);
    const int sizes[] = {1, 2, 3, 4, 7, 50, 199, 402, 403, 777, 1500, 2600};
    for (int round = 0; round < 36; ++round) {
        const int n = sizes[round % std::size(sizes)];
        MonitorTable table(n, random.uniform(0, n - 1), random.real(0.2, 2) / 86400000.0);
        random.fillTable(table);
        Pair pair;
        random.randomState(pair);
        for (int k = 1; k <= 64; ++k) {
            random.randomChannel(pair, k, n);
        }
        compareTicks(random, pair, table, 4,
                     "round " + std::to_string(round) + " n " + std::to_string(n));
    }
}

// Both the two-lane vector code and, where the processor has it, the four-lane one.
TEST(FusedTick, MatchesChannelByChannelOnRandomTablesAndChannels) {
    for (const bool narrow : {false, true}) {
        const NarrowLanes lanes(narrow);
        SCOPED_TRACE(narrow ? "two lanes" : "widest lanes");
        compareRandomTablesAndChannels(narrow ? 31 : 20240611);
    }
}

// Many power, vibration and median channels on few inputs: the shared Moc1fazy fields, the
// carried moving average and the channels reading them are where an order mistake would show.
TEST(FusedTick, MatchesOnSinePairsWithPowerAndVibrationChains) {
    RandomTicks random(77);
    const int table[] = {1, 2, 420, 1000, 3000};
    const int dependent[] = {ApparentPower, ReactivePower, Voltage, Current, CosPhi, Crest};
    for (int round = 0; round < 15; ++round) {
        const int n = table[round % std::size(table)];
        MonitorTable t(n, random.uniform(0, n - 1));
        random.fillTable(t);
        for (const int pairStart : {1, 9}) {
            const double phase = random.real(-3, 3);
            const double shift = random.real(-12, 12);
            const double hz = random.chance(0.2) ? 120 : 50;
            t.fill(pairStart, [&](int q) { return testing::sine(325, hz, q, phase); });
            t.fill(pairStart + 1,
                   [&](int q) { return testing::sine(14, hz, q + shift, phase) + 0.3; });
            t.fill(pairStart + 2, [&](int q) { return testing::sine(1, hz, q, phase + 2.1); });
            t.fill(pairStart + 4, [&](int q) { return testing::sine(1, hz, q, phase - 2.1); });
        }
        Pair pair;
        random.randomState(pair);
        const int heavy[] = {TruePower, Direction3f, Rms, VibrationRatio, Mediana, Mean};
        for (int k = 1; k <= 64; ++k) {
            const bool computes = random.chance(0.5);
            const int code =
                computes ? heavy[random.uniform(0, 5)] : dependent[random.uniform(0, 5)];
            const int input =
                random.chance(0.7) ? (random.chance(0.5) ? 1 : 9) : random.uniform(1, 32);
            const int length = random.chance(0.2) ? random.uniform(1, 2 * n) : 0;
            pair.setChannel(k, code, input, length, k + 1, k + 2, 64);
        }
        compareTicks(random, pair, t, 5,
                     "round " + std::to_string(round) + " n " + std::to_string(n));
    }
}

// Without data every computation gives its guarded result on both sides.
TEST(FusedTick, MatchesOnATickWithoutData) {
    RandomTicks random(5);
    MonitorTable empty(0, 0);
    Pair pair;
    random.randomState(pair);
    for (int k = 1; k <= 64; ++k) {
        random.randomChannel(pair, k, 10);
    }
    pair.tick(empty, true);
    pair.expectEqual("no data, ZERO");
    pair.tick(empty, false);
    pair.expectEqual("no data");
}

// The walk in runs and the sums at chosen visit counts follow walkBack exactly.
TEST(FusedTick, RunsAndSumsFollowTheBackwardWalk) {
    for (int n = 1; n <= 6; ++n) {
        for (int r = 0; r < n; ++r) {
            MonitorTable t(n, r);
            for (int j = 0; j < n; ++j) {
                t.set(j, 3, static_cast<float>(1 << j));
            }
            const acquisition::TickView view = t.view();
            const std::int64_t visits = 3 * n + 2;
            std::vector<int> expected;
            walkBack(view, visits, [&](int i) { expected.push_back(i); });
            for (std::int64_t from = 0; from <= visits; ++from) {
                std::vector<int> runs;
                walkBackRuns(view, from, visits, [&](int first, int length) {
                    for (int i = first; i > first - length; --i) {
                        runs.push_back(i);
                    }
                });
                EXPECT_EQ(runs, std::vector<int>(expected.begin() + from, expected.end()))
                    << n << " " << r << " from " << from;
            }
            const std::int64_t counts[] = {visits, 0, 2, n - 1, n};
            const WalkSums sums(view, counts);
            for (const std::int64_t count : counts) {
                double sum = 0;
                walkBack(view, count,
                         [&](int i) { sum += t.records[static_cast<std::size_t>(i)].values[2]; });
                EXPECT_EQ(sums.at(count)[2], sum) << n << " " << r << " count " << count;
            }
        }
    }
}

} // namespace
} // namespace korvanta::monitor
