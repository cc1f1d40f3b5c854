#include "analysis/frequency_analysis.h"
#include "analysis/frequency_range.h"
#include "analysis/frequency_tools.h"
#include "analysis/inverse_transform.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <vector>

namespace korvanta::analysis {
namespace {

// `size` samples of offset + A·sin(2π·cycles·n/size).
std::vector<double> sine(int size, double amplitude, int cycles, double offset = 0.0) {
    std::vector<double> x;
    for (int n = 0; n < size; ++n) {
        x.push_back(offset + amplitude * std::sin(2 * std::numbers::pi * cycles * n / size));
    }
    return x;
}

SpectrumParameters at(double fs) {
    SpectrumParameters p;
    p.samplingRate = fs;
    return p;
}

TEST(Spectrum, ThousandSamplesAtOneKilohertzGiveLabelsFromZeroTo499) {
    FFTRQ fft;
    const auto s = forwardSpectrum(fft, std::vector<double>(1000, 1.0), at(1000));
    ASSERT_TRUE(s.ok());
    EXPECT_EQ(s.value().transformSize, 1024u);
    EXPECT_EQ(s.value().df, 1000.0 / 1024);
    ASSERT_EQ(s.value().points.size(), 512u);
    EXPECT_EQ(s.value().points.front().label, QStringLiteral("  0.00"));
    EXPECT_EQ(s.value().points.back().label, QStringLiteral("  499.02"));
    EXPECT_EQ(s.value().points.back().bin, 512u);
    EXPECT_EQ(s.value().points.front().real, 2.0); // 1000 / (1000 · 0.5)
    EXPECT_EQ(s.value().paddedSize, 0u);
}

TEST(Spectrum, FromAndToAddThePointsUpToTheFirstAboveTo) {
    FFTRQ fft;
    SpectrumParameters p = at(1024); // 1024 samples: df = 1 Hz
    p.showFrequencies = true;
    p.from = 10.7; // the integer part counts
    p.to = 20;
    const auto s = forwardSpectrum(fft, sine(1024, 1, 15), p);
    ASSERT_TRUE(s.ok());
    ASSERT_EQ(s.value().points.size(), 12u);
    EXPECT_EQ(s.value().points.front().label, QStringLiteral("  10.00"));
    EXPECT_EQ(s.value().points.front().bin, 11u);
    EXPECT_EQ(s.value().points.back().label, QStringLiteral("  21.00"));

    p.to.reset(); // no upper bound
    EXPECT_EQ(forwardSpectrum(fft, sine(1024, 1, 15), p).value().points.size(), 502u);
    p.from.reset();
    p.to = 20;
    EXPECT_EQ(forwardSpectrum(fft, sine(1024, 1, 15), p).value().points.size(), 22u);
    p.showFrequencies = false; // bounds without the check box bound nothing
    EXPECT_EQ(forwardSpectrum(fft, sine(1024, 1, 15), p).value().points.size(), 512u);
}

TEST(Spectrum, ZeroPaddingUsesTheTypedSizeRoundedUpWhenItExceedsTheSamples) {
    FFTRQ fft;
    SpectrumParameters p = at(1000);
    p.zeroPadding = true;
    p.paddingSize = 2048;
    auto s = forwardSpectrum(fft, sine(1000, 1, 50), p);
    ASSERT_TRUE(s.ok());
    EXPECT_EQ(s.value().transformSize, 2048u);
    EXPECT_EQ(s.value().df, 1000.0 / 2048);
    EXPECT_EQ(s.value().points.size(), 1024u);
    EXPECT_EQ(s.value().paddedSize, 2048u);

    p.paddingSize = 512;
    s = forwardSpectrum(fft, sine(1000, 1, 50), p);
    EXPECT_EQ(s.value().transformSize, 1024u);
    EXPECT_EQ(s.value().paddedSize, 0u);

    p.paddingSize = 1500;
    s = forwardSpectrum(fft, sine(1000, 1, 50), p);
    EXPECT_EQ(s.value().transformSize, 2048u);
    EXPECT_EQ(s.value().paddedSize, 2048u);

    p.zeroPadding = false;
    p.paddingSize = 4096;
    EXPECT_EQ(forwardSpectrum(fft, sine(1000, 1, 50), p).value().transformSize, 1024u);
}

TEST(Spectrum, SineThatFitsTheWindowPeaksAtItsAmplitudeAndFrequency) {
    FFTRQ fft;
    const auto s = forwardSpectrum(fft, sine(1024, 2.5, 100), at(2048));
    ASSERT_TRUE(s.ok());
    const SpectrumPeak& peak = s.value().peak;
    EXPECT_TRUE(peak.found);
    EXPECT_NEAR(peak.amplitude, 2.5, 1e-9);
    EXPECT_EQ(peak.frequency, 200.0); // bin 101 at 2 Hz
    EXPECT_EQ(peak.amplitudeText, QStringLiteral("2.5"));
    EXPECT_EQ(peak.frequencyText, QStringLiteral("200.0"));
    EXPECT_NEAR(s.value().axisMaximum, 2.75, 1e-9);
    EXPECT_EQ(
        s.value().reportLines,
        (QStringList{QStringLiteral("      "), QStringLiteral("  FFT  "),
                     QStringLiteral("Max amplitude:  2.5"), QStringLiteral(" for f=200.0Hz")}));
}

TEST(Spectrum, AllZeroSignalHasNoPeakAndFrequencyZero) {
    FFTRQ fft;
    const auto s = forwardSpectrum(fft, std::vector<double>(100, 0.0), at(1000));
    ASSERT_TRUE(s.ok());
    EXPECT_FALSE(s.value().peak.found);
    EXPECT_EQ(s.value().peak.amplitude, 0.0);
    EXPECT_EQ(s.value().peak.frequency, 0.0);
    EXPECT_EQ(s.value().peak.frequencyText, QStringLiteral("0.0"));
    // After a real peak, an all-zero spectrum still reads 0 Hz, not the stale bin's.
    ASSERT_TRUE(forwardSpectrum(fft, sine(128, 1, 5), at(128)).value().peak.found);
    EXPECT_EQ(forwardSpectrum(fft, std::vector<double>(128, 0.0), at(128)).value().peak.frequency,
              0.0);
}

TEST(Spectrum, RefusesNoDataAndNoSamplingRate) {
    FFTRQ fft;
    const auto empty = forwardSpectrum(fft, {}, at(1000));
    EXPECT_EQ(empty.reason(), QStringLiteral("Brak danych do analizy"));
    for (const double fs : {0.0, -5.0, std::nan("")}) {
        const auto noRate = forwardSpectrum(fft, sine(8, 1, 1), at(fs));
        EXPECT_EQ(noRate.reason(), QStringLiteral("Ustaw częstotliwość próbkowania")) << fs;
    }
    EXPECT_TRUE(rateTextAboveZero(QStringLiteral("1000")));
    EXPECT_TRUE(rateTextAboveZero(QStringLiteral("0.5")));
    EXPECT_FALSE(rateTextAboveZero(QStringLiteral("0")));
    EXPECT_FALSE(rateTextAboveZero(QString()));
    EXPECT_FALSE(rateTextAboveZero(QStringLiteral("-5")));
    EXPECT_FALSE(rateTextAboveZero(QStringLiteral(" 5")));
}

TEST(InverseTransform, FirstHalfOfTheSpectrumGivesBackTheSignal) {
    FFTRQ fft;
    const std::vector<double> x = sine(1024, 2.0, 37, 0.5);
    const auto s = forwardSpectrum(fft, x, at(1024));
    ASSERT_TRUE(s.ok());
    const auto back = inverseTransform(fft, s.value().points, x.size());
    ASSERT_TRUE(back.ok());
    ASSERT_EQ(back.value().real.size(), 1024u);
    for (std::size_t n = 0; n < x.size(); ++n) {
        const double theta = 2 * std::numbers::pi * 37 * static_cast<double>(n) / 1024;
        EXPECT_NEAR(back.value().real[n], x[n] + 0.5, 1e-9) << n; // zero frequency doubled
        EXPECT_NEAR(back.value().imaginary[n], -2.0 * std::cos(theta), 1e-9) << n;
    }
}

TEST(InverseTransform, BandPointsGoBackToTheirOwnBins) {
    FFTRQ fft;
    std::vector<double> x = sine(1024, 1.0, 50);
    const std::vector<double> high = sine(1024, 3.0, 200);
    for (std::size_t n = 0; n < x.size(); ++n) {
        x[n] += high[n];
    }
    SpectrumParameters p = at(1024);
    p.showFrequencies = true;
    p.from = 150;
    p.to = 250;
    const auto s = forwardSpectrum(fft, x, p);
    ASSERT_TRUE(s.ok());
    const auto back = inverseTransform(fft, s.value().points, x.size());
    ASSERT_TRUE(back.ok());
    for (std::size_t n = 0; n < x.size(); ++n) {
        EXPECT_NEAR(back.value().real[n], high[n], 1e-9) << n;
        EXPECT_NEAR(back.value().magnitude[n], 3.0, 1e-9) << n;
    }
    EXPECT_EQ(inverseTransform(fft, {}, 0).reason(), QStringLiteral("Brak danych do analizy"));
    // A band reaching past the signal lengthens the result rather than losing points.
    EXPECT_EQ(inverseTransform(fft, s.value().points, 100).value().real.size(), 252u);
}

std::vector<SpectrumPoint> points(std::initializer_list<double> magnitudes, double df = 1.0,
                                  std::uint32_t firstBin = 1) {
    std::vector<SpectrumPoint> result;
    std::uint32_t bin = firstBin;
    for (const double m : magnitudes) {
        const double f = (bin - 1) * df;
        result.push_back({bin++, f, m, -m, 2 * m, frequencyLabel(f)});
    }
    return result;
}

TEST(SpectrumTools, IntegrationDividesBy628TimesEachPointsOwnFrequency) {
    auto p = points({6.28, 6.28, 12.56});
    integrate(p);
    EXPECT_EQ(p[0].magnitude, 0.0); // 0 Hz
    EXPECT_EQ(p[0].real, 0.0);
    EXPECT_DOUBLE_EQ(p[1].magnitude, 1.0);
    EXPECT_DOUBLE_EQ(p[1].imaginary, -1.0);
    EXPECT_DOUBLE_EQ(p[2].real, 2.0);
    integrate(p); // double integration
    EXPECT_DOUBLE_EQ(p[1].magnitude, 1 / 6.28);
    EXPECT_DOUBLE_EQ(p[2].magnitude, 0.5 / 6.28);

    auto fromTen = points({62.8, 62.8}, 1.0, 11); // a spectrum starting at "od" = 10 Hz
    integrate(fromTen);
    EXPECT_DOUBLE_EQ(fromTen[0].magnitude, 1.0);
    EXPECT_DOUBLE_EQ(fromTen[1].magnitude, 62.8 / (6.28 * 11));
}

TEST(SpectrumTools, BandCutZeroesFromF1UpToButNotF2) {
    auto p = points({1, 2, 3, 4, 5, 6, 7});
    EXPECT_EQ(cutBand(p, 3, 5), (std::pair<std::size_t, std::size_t>{3, 5}));
    EXPECT_EQ(p[2].magnitude, 3.0);
    EXPECT_EQ(p[3].magnitude, 0.0);
    EXPECT_EQ(p[3].real, 0.0);
    EXPECT_EQ(p[4].imaginary, 0.0);
    EXPECT_EQ(p[5].magnitude, 6.0);
    EXPECT_EQ(cutBand(p, 5, 99), (std::pair<std::size_t, std::size_t>{5, 7}));
    EXPECT_EQ(cutBand(p, 4, 2).first, cutBand(p, 4, 2).second); // nothing
    EXPECT_DOUBLE_EQ(bandMarkerHeight(points({1, 5, 2})), 5.5);
}

TEST(SpectrumTools, PeakInTheVisiblePoints) {
    const auto p = points({0, 3, 5, 5, 2}, 0.5);
    const RangePeak peak = peakInRange(p);
    EXPECT_EQ(peak.amplitude, 5.0);
    EXPECT_EQ(peak.index, 2u);
    EXPECT_EQ(peak.amplitudeText, QStringLiteral("5.0000"));
    EXPECT_EQ(peak.frequencyText, QStringLiteral("  1.00"));
    EXPECT_EQ(peak.reportLines,
              (QStringList{QStringLiteral("  "), QStringLiteral("Max amplitude: 5.0000"),
                           QStringLiteral(" for f=  1.00Hz"),
                           QStringLiteral(" in range of frequency from   0.00Hz to   2.00Hz")}));
    const RangePeak none = peakInRange(points({0, 0}));
    EXPECT_FALSE(none.index.has_value());
    EXPECT_EQ(none.frequencyText, QStringLiteral("--"));
}

TEST(FrequencyRange, HertzToSpectrumPoints) {
    const auto band = frequencyRangeAxis(50, 100, 1000, 512);
    ASSERT_TRUE(band.ok());
    EXPECT_DOUBLE_EQ(band.value().minimum, 51.2);
    EXPECT_DOUBLE_EQ(band.value().maximum, 102.4);
    const auto open = frequencyRangeAxis(std::nullopt, std::nullopt, 1000, 512);
    EXPECT_EQ(open.value().minimum, 0.0);
    EXPECT_EQ(open.value().maximum, 512.0);
    const auto fromTen = frequencyRangeAxis(50, 100, 1000, 512, 11);
    EXPECT_DOUBLE_EQ(fromTen.value().minimum, 41.2);
    EXPECT_EQ(frequencyRangeAxis(50, 100, 0, 512).reason(),
              QStringLiteral("Ustaw częstotliwość próbkowania"));
}

} // namespace
} // namespace korvanta::analysis
