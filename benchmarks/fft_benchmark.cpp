// Times the forward spectrum of FFTRQ (samples in, transform, normalisation, magnitudes) against
// FFTW on the same data, at 2^10, 2^16 and 2^20 samples; the literal loops of the transform are
// timed beside it, and FFTRQ's values are checked to be bit-identical to theirs. FFTRQ makes its
// tables in the first run and keeps them, as FFTW's plan is made before the timing.

#include "analysis/fftrq.h"
#include "bench_timing.h"
#include "unit/analysis/literal_fft.h"

#include <benchmark/benchmark.h>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <fftw3.h>
#include <functional>
#include <random>
#include <vector>

namespace {

using namespace korvanta;

constexpr int kRuns = 15;

double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Median time of one call of `work`, each run repeating it `repeat` times, on this thread's CPU
// clock so that time spent preempted on a shared machine does not count.
double medianMs(int repeat, const std::function<void()>& work) {
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const double start = cpuMs();
        for (int i = 0; i < repeat; ++i) {
            work();
        }
        times.push_back((cpuMs() - start) / repeat);
    }
    return benchmarks::median(times);
}

std::vector<double> signal(std::size_t n) {
    std::mt19937_64 random(n);
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    std::vector<double> x(n);
    for (std::size_t i = 0; i < n; ++i) {
        x[i] = 3 * std::sin(2 * M_PI * 50.0 * static_cast<double>(i) / 1000.0) + noise(random);
    }
    return x;
}

class Fftw {
public:
    explicit Fftw(std::size_t n)
        : m_n(n), m_in(fftw_alloc_complex(n)), m_out(fftw_alloc_complex(n)),
          m_plan(fftw_plan_dft_1d(static_cast<int>(n), m_in, m_out, FFTW_FORWARD, FFTW_ESTIMATE)),
          m_mag(n) {}
    ~Fftw() {
        fftw_destroy_plan(m_plan);
        fftw_free(m_in);
        fftw_free(m_out);
    }
    Fftw(const Fftw&) = delete;
    Fftw& operator=(const Fftw&) = delete;

    void run(const std::vector<double>& x) {
        for (std::size_t i = 0; i < m_n; ++i) {
            m_in[i][0] = x[i];
            m_in[i][1] = 0.0;
        }
        fftw_execute(m_plan);
        const double scale = 2.0 / static_cast<double>(m_n);
        for (std::size_t i = 0; i < m_n; ++i) {
            m_mag[i] = std::sqrt(m_out[i][0] * m_out[i][0] + m_out[i][1] * m_out[i][1]) * scale;
        }
        benchmark::DoNotOptimize(m_mag.data());
    }

private:
    std::size_t m_n;
    fftw_complex* m_in;
    fftw_complex* m_out;
    fftw_plan m_plan;
    std::vector<double> m_mag;
};

void spectrum(analysis::FFTRQ& fft, const std::vector<double>& x) {
    fft.Reset();
    for (const double v : x) {
        fft.AddSample(v, 0.0);
    }
    fft.Prepare();
    fft.setDirection(-1);
    fft.Compute(analysis::FFTRQ::Spectrum);
    fft.ComputeMagnitudes();
}

void literalSpectrum(testing::LiteralFft& literal, const std::vector<double>& x,
                     const std::vector<double>& zeros) {
    literal.prepare(x, zeros);
    literal.compute(-1, 0);
    literal.computeMagnitudes();
}

bool sameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

bool bitIdentical(analysis::FFTRQ& fft, const testing::LiteralFft& literal) {
    for (std::uint32_t k = 0; k <= literal.n; ++k) {
        if (!sameBits(fft.Re(k), literal.re[k]) || !sameBits(fft.Im(k), literal.im[k]) ||
            !sameBits(fft.Magnitude(k), literal.mag[k])) {
            return false;
        }
    }
    return true;
}

void measure(int log2n, double target) {
    const std::size_t n = std::size_t{1} << log2n;
    const std::vector<double> x = signal(n);
    const std::vector<double> zeros(n, 0.0);
    const int repeat = static_cast<int>(std::max<std::size_t>(1, (std::size_t{1} << 20) / n));

    Fftw fftw(n);
    analysis::FFTRQ fft;
    testing::LiteralFft literal;
    const double fftwMs = medianMs(repeat, [&] { fftw.run(x); });
    const double fftrqMs = medianMs(repeat, [&] { spectrum(fft, x); });
    const double literalMs = medianMs(repeat, [&] { literalSpectrum(literal, x, zeros); });

    spectrum(fft, x);
    literalSpectrum(literal, x, zeros);
    std::printf("2^%d samples: FFTW %.4f ms, FFTRQ values %s the literal loops'\n", log2n, fftwMs,
                bitIdentical(fft, literal) ? "bit-identical to" : "DIFFERENT from");
    std::printf("literal loops, 2^%d samples: %.4f ms, ratio %.2f\n", log2n, literalMs,
                literalMs / fftwMs);
    if (target > 0) {
        std::printf("FFTRQ spectrum, 2^%d samples: %.4f ms, ratio %.2f (target <= %g)\n", log2n,
                    fftrqMs, fftrqMs / fftwMs, target);
    } else {
        std::printf("FFTRQ spectrum, 2^%d samples: %.4f ms, ratio %.2f\n", log2n, fftrqMs,
                    fftrqMs / fftwMs);
    }
}

} // namespace

int main() {
    std::printf("forward transform and magnitudes, median of %d runs, thread CPU time; FFTW plan "
                "FFTW_ESTIMATE made outside the timing\n",
                kRuns);
    measure(10, 0);
    measure(16, 2.0);
    measure(20, 1.5);
    return 0;
}
