#include "analysis/fftrq.h"
#include "support/scripted_messages.h"
#include "unit/analysis/literal_fft.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <numbers>
#include <random>
#include <vector>

namespace korvanta::analysis {
namespace {

using testing::LiteralFft;

struct Samples {
    std::vector<double> re;
    std::vector<double> im;
};

// Random parts, about a tenth of them exact zeros of either sign, so that the signs of zero
// results are compared too.
Samples randomSamples(std::size_t count, std::uint64_t seed) {
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> value(-100.0, 100.0);
    std::uniform_int_distribution<int> zero(0, 19);
    const auto draw = [&] {
        const int z = zero(random);
        return z == 0 ? 0.0 : z == 1 ? -0.0 : value(random);
    };
    Samples s;
    for (std::size_t i = 0; i < count; ++i) {
        s.re.push_back(draw());
        s.im.push_back(draw());
    }
    return s;
}

void feed(FFTRQ& fft, const Samples& s) {
    fft.Reset();
    for (std::size_t i = 0; i < s.re.size(); ++i) {
        fft.AddSample(s.re[i], s.im[i]);
    }
}

// The first k at which the bit patterns differ, -1 when they are all equal.
long long firstDifference(const std::vector<double>& expected,
                          const std::function<double(std::uint32_t)>& actual) {
    for (std::size_t k = 1; k < expected.size(); ++k) {
        if (std::bit_cast<std::uint64_t>(expected[k]) !=
            std::bit_cast<std::uint64_t>(actual(static_cast<std::uint32_t>(k)))) {
            return static_cast<long long>(k);
        }
    }
    return -1;
}

// One FFTRQ for every run, so that its kept tables must follow each change of size and
// direction.
void expectSameAsLiteral(FFTRQ& fft, const Samples& s, int direction, int mode, int fixedN = 0,
                         int computeTimes = 1) {
    SCOPED_TRACE(::testing::Message() << "size " << s.re.size() << " direction " << direction
                                      << " mode " << mode << " fixed " << fixedN);
    LiteralFft literal;
    literal.prepare(s.re, s.im, static_cast<std::uint32_t>(fixedN));
    for (int i = 0; i < computeTimes; ++i) {
        literal.compute(direction, mode);
    }
    literal.computeMagnitudes();

    feed(fft, s);
    if (fixedN > 0) {
        fft.setFixedSize(true);
        fft.setRequestedSize(fixedN);
    }
    fft.Prepare();
    fft.setDirection(direction);
    for (int i = 0; i < computeTimes; ++i) {
        fft.Compute(mode);
    }
    fft.ComputeMagnitudes();
    EXPECT_EQ(fft.lastError(), FFTRQ::NoError);
    ASSERT_EQ(fft.halfSize(), literal.n / 2);
    EXPECT_EQ(firstDifference(literal.re, [&](std::uint32_t k) { return fft.Re(k); }), -1);
    EXPECT_EQ(firstDifference(literal.im, [&](std::uint32_t k) { return fft.Im(k); }), -1);
    EXPECT_EQ(firstDifference(literal.mag, [&](std::uint32_t k) { return fft.Magnitude(k); }), -1);
    const auto [peak, index] = literal.maxMagnitude();
    EXPECT_EQ(std::bit_cast<std::uint64_t>(fft.MaxMagnitude()), std::bit_cast<std::uint64_t>(peak));
    if (index > 0) {
        EXPECT_EQ(fft.PeakIndex(), index);
    }
}

TEST(FFTRQ, EveryValueIsBitIdenticalToTheLiteralLoops) {
    FFTRQ fft;
    std::uint64_t seed = 1;
    for (const std::size_t size : {1, 2, 1000, 1024, 1025, 65536}) {
        const Samples s = randomSamples(size, seed++);
        expectSameAsLiteral(fft, s, -1, FFTRQ::Spectrum);
        expectSameAsLiteral(fft, s, +1, FFTRQ::Inverse);
    }
    // Every way the stages are grouped: one stage, pairs, blocks within and beyond the cache.
    for (int stages = 0; stages <= 15; ++stages) {
        expectSameAsLiteral(fft, randomSamples(std::size_t{1} << stages, seed++), -1,
                            FFTRQ::Spectrum);
    }
    for (const std::size_t size : {3, 5, 100}) {
        expectSameAsLiteral(fft, randomSamples(size, seed++), +1, FFTRQ::Spectrum);
    }
    const Samples s = randomSamples(1000, 99);
    expectSameAsLiteral(fft, s, -1, FFTRQ::TwoOverN);
    expectSameAsLiteral(fft, s, +1, 7);
    expectSameAsLiteral(fft, s, -1, FFTRQ::Spectrum, 4096);
    expectSameAsLiteral(fft, s, -1, FFTRQ::Spectrum, 0, 2); // Compute twice transforms twice
    // A real signal, as the spectrum view feeds it: zero imaginary parts give signed zeros.
    Samples real = randomSamples(4096, 100);
    std::fill(real.im.begin(), real.im.end(), 0.0);
    expectSameAsLiteral(fft, real, -1, FFTRQ::Spectrum);
}

TEST(FFTRQ, SizesPaddingAndTheSpectrumNormalisation) {
    FFTRQ fft;
    EXPECT_EQ(fft.halfSize(), 1u);
    feed(fft, {std::vector<double>(1000, 1.0), std::vector<double>(1000, 0.0)});
    EXPECT_EQ(fft.SampleCount(), 1000u);
    fft.Prepare();
    EXPECT_EQ(fft.SampleCount(), 1024u);
    EXPECT_EQ(fft.halfSize(), 512u);
    EXPECT_EQ(fft.naturalSize(), 1024u);
    EXPECT_EQ(fft.Re(1000), 1.0);
    for (std::uint32_t k = 1001; k <= 1024; ++k) {
        EXPECT_EQ(fft.Re(k), 0.0) << k;
    }
    fft.setDirection(-1);
    fft.Compute(FFTRQ::Spectrum);
    EXPECT_EQ(fft.SampleCount(), 1000u);
    EXPECT_EQ(fft.Re(1), 2.0); // the sum 1000 divided by L * 0.5 = 500, not by 512

    const std::pair<int, std::uint32_t> sizes[] = {{1024, 1024}, {1025, 2048}};
    for (const auto& [samples, n] : sizes) {
        feed(fft, {std::vector<double>(samples, 0.5), std::vector<double>(samples, 0.0)});
        fft.Prepare();
        EXPECT_EQ(fft.SampleCount(), n) << samples;
    }

    feed(fft, {{3.5}, {0.0}});
    fft.Prepare();
    EXPECT_EQ(fft.SampleCount(), 1u);
    EXPECT_EQ(fft.halfSize(), 0u);
    fft.setDirection(-1);
    fft.Compute(FFTRQ::Spectrum);
    EXPECT_EQ(fft.Re(1), 7.0); // no stage; mode 0 doubles the sample
    EXPECT_EQ(fft.Im(1), 0.0);
    EXPECT_EQ(fft.lastError(), FFTRQ::NoError);
}

TEST(FFTRQ, FixedSizePadsToTheTypedSizeRoundedUpAndNeverBelowTheNaturalSize) {
    FFTRQ fft;
    const Samples s = randomSamples(1000, 5);
    const std::pair<int, std::uint32_t> sizes[] = {{4096, 4096}, {3000, 4096}, {512, 1024}};
    for (const auto& [requested, n] : sizes) {
        feed(fft, s);
        fft.setFixedSize(true);
        fft.setRequestedSize(requested);
        fft.Prepare();
        EXPECT_EQ(fft.SampleCount(), n) << requested;
        EXPECT_EQ(fft.naturalSize(), 1024u);
        EXPECT_EQ(fft.halfSize(), n / 2);
        fft.setDirection(-1);
        fft.Compute(FFTRQ::Spectrum);
        EXPECT_EQ(fft.SampleCount(), 1000u);
    }
    fft.Reset();
    EXPECT_FALSE(fft.fixedSize());
    EXPECT_EQ(fft.requestedSize(), 512); // kept by Reset

    EXPECT_EQ(FFTRQ::paddedSize(1500), 2048u);
    EXPECT_EQ(FFTRQ::paddedSize(2048), 2048u);
    EXPECT_EQ(FFTRQ::paddedSize(2049), 4096u);
    EXPECT_EQ(FFTRQ::paddedSize(1), 1u);
    EXPECT_EQ(FFTRQ::paddedSize(0), 1u);
    EXPECT_EQ(FFTRQ::paddedSize(-7), 1u);
}

TEST(FFTRQ, MisuseShowsItsMessageAndReadsZero) {
    testing::ScriptedMessages messages;
    FFTRQ fft(&messages);
    feed(fft, {{1.0, 2.0, 3.0, 4.0}, {0.0, 0.0, 0.0, 0.0}});
    fft.ComputeMagnitudes();
    EXPECT_EQ(fft.lastError(), FFTRQ::EarlyCall);
    EXPECT_EQ(messages.countShown(QStringLiteral(
                  "Błąd 3: Przedwczesne wywołanie funkcji. Wywołanie funkcji dozwolone tylko po "
                  "obliczeniu FFT.")),
              1);
    fft.Prepare();
    EXPECT_EQ(fft.Re(0), 0.0);
    EXPECT_NE(fft.Re(4), 0.0);
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(fft.Re(5), 0.0);
    EXPECT_EQ(fft.lastError(), FFTRQ::InvalidIndex);
    EXPECT_EQ(messages.shown.back().text,
              QStringLiteral("Błąd 2: Podana wartość jest nieprawidłowa."));
    EXPECT_EQ(fft.Im(1), 0.0);
    EXPECT_EQ(fft.lastError(), FFTRQ::EarlyAccess);

    fft.setDirection(-1);
    fft.Compute(FFTRQ::Spectrum);
    fft.ComputeMagnitudes();
    EXPECT_NE(fft.Im(2), 0.0);
    EXPECT_NE(fft.Magnitude(4), 0.0);
    EXPECT_EQ(fft.Magnitude(5), 0.0);
    EXPECT_EQ(fft.lastError(), FFTRQ::InvalidIndex);

    const std::size_t before = messages.shown.size();
    fft.Reset(); // the arrays of the run stay, but nothing may read them as computed
    EXPECT_EQ(fft.Im(1), 0.0);
    EXPECT_EQ(fft.Magnitude(1), 0.0);
    ASSERT_EQ(messages.shown.size(), before + 2);
    EXPECT_EQ(messages.shown.back().text,
              QStringLiteral("Błąd 1: Przedwczesny dostęp do tablic. Wywołanie funkcji "
                             "dozwolone tylko po obliczeniu FFT."));
    EXPECT_EQ(fft.halfSize(), 2u);
}

// Samples of A·cos(2π·cycles·n/size) + c.
Samples cosine(int size, double amplitude, int cycles, double offset = 0.0) {
    Samples s;
    for (int n = 0; n < size; ++n) {
        s.re.push_back(amplitude * std::cos(2 * std::numbers::pi * cycles * n / size) + offset);
        s.im.push_back(0.0);
    }
    return s;
}

TEST(FFTRQ, PeakOfASineThatFitsTheWindowIsItsAmplitudeInTheFirstHalf) {
    FFTRQ fft;
    feed(fft, cosine(1024, 3.25, 50));
    fft.Prepare();
    fft.setDirection(-1);
    fft.Compute(FFTRQ::Spectrum);
    fft.ComputeMagnitudes();
    EXPECT_NEAR(fft.MaxMagnitude(), 3.25, 1e-9);
    EXPECT_EQ(fft.PeakIndex(), 51u);

    // A stronger negative frequency lies in the mirrored half only, which the readout leaves out.
    Samples mixed = cosine(1024, 1.0, 50);
    for (int n = 0; n < 1024; ++n) {
        const double phase = 2 * std::numbers::pi * 200 * n / 1024;
        mixed.re[static_cast<std::size_t>(n)] += 4 * std::cos(phase);
        mixed.im[static_cast<std::size_t>(n)] -= 4 * std::sin(phase);
    }
    feed(fft, mixed);
    fft.Prepare();
    fft.setDirection(-1);
    fft.Compute(FFTRQ::Spectrum);
    fft.ComputeMagnitudes();
    EXPECT_NEAR(fft.Magnitude(1024 - 200 + 1), 8.0, 1e-9);
    EXPECT_NEAR(fft.MaxMagnitude(), 1.0, 1e-9);
    EXPECT_EQ(fft.PeakIndex(), 51u);

    // All zero: no peak, and the index of the previous one stays.
    feed(fft, {std::vector<double>(64, 0.0), std::vector<double>(64, 0.0)});
    fft.Prepare();
    fft.setDirection(-1);
    fft.Compute(FFTRQ::Spectrum);
    fft.ComputeMagnitudes();
    EXPECT_EQ(fft.MaxMagnitude(), 0.0);
    EXPECT_EQ(fft.PeakIndex(), 51u);
}

TEST(FFTRQ, ComputeWithoutSamplesOrBeforePrepare) {
    FFTRQ fft;
    fft.setDirection(-1);
    fft.Compute(FFTRQ::Spectrum); // nothing prepared: nothing computed
    EXPECT_FALSE(fft.computed());
    fft.Prepare();
    fft.Compute(FFTRQ::Spectrum);
    fft.ComputeMagnitudes();
    EXPECT_TRUE(fft.computed());
    EXPECT_EQ(fft.Re(1), 0.0); // not 0 / 0
    EXPECT_EQ(fft.Magnitude(1), 0.0);
    EXPECT_EQ(fft.lastError(), FFTRQ::NoError);
}

} // namespace
} // namespace korvanta::analysis
