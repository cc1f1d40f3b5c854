#pragma once
// The FFT of the analysis page written out loop for loop as the system describes it: 1-based
// arrays, the stages of the decimation-in-frequency transform with the twiddle advanced by the
// recurrence, the 1-based bit reversal and the normalisations. The reference FFTRQ is compared
// with bit for bit; it is also the "literal port" of the FFT benchmark.

#include <cmath>
#include <cstdint>
#include <numbers>
#include <span>
#include <utility>
#include <vector>

namespace korvanta::testing {

class LiteralFft {
public:
    std::vector<double> re; // N + 1 elements, element 0 unused
    std::vector<double> im;
    std::vector<double> mag;
    std::uint32_t n = 0;      // transform size
    std::uint32_t length = 0; // samples before padding
    int stages = 0;

    // The samples zero-padded to the smallest power of two not below their count, or to
    // `fixedN` when that is larger.
    void prepare(std::span<const double> sampleRe, std::span<const double> sampleIm,
                 std::uint32_t fixedN = 0) {
        length = static_cast<std::uint32_t>(sampleRe.size());
        n = 1;
        stages = 0;
        while (n < length) {
            n = 2 * n;
            stages = stages + 1;
        }
        if (fixedN > n) {
            n = fixedN;
            stages = 0;
            while ((std::uint32_t{1} << stages) < n) {
                stages = stages + 1;
            }
        }
        re.assign(n + 1, 0.0);
        im.assign(n + 1, 0.0);
        for (std::uint32_t k = 1; k <= length; ++k) {
            re[k] = sampleRe[k - 1];
            im[k] = sampleIm[k - 1];
        }
    }

    void compute(int d, int mode) {
        for (int t = 1; t <= stages; ++t) {
            const std::uint32_t le = std::uint32_t{1} << (stages + 1 - t);
            const std::uint32_t h = le / 2;
            const double wr = std::cos(std::numbers::pi / h);
            const double wi = d * std::sin(std::numbers::pi / h);
            double ur = 1.0;
            double ui = 0.0;
            for (std::uint32_t j = 1; j <= h; ++j) {
                for (std::uint32_t k = j; k <= n; k += le) {
                    const double ar = re[k];
                    const double ai = im[k];
                    const double br = re[k + h];
                    const double bi = im[k + h];
                    re[k] = ar + br;
                    im[k] = ai + bi;
                    re[k + h] = (ar - br) * ur - (ai - bi) * ui;
                    im[k + h] = (ai - bi) * ur + (ar - br) * ui;
                }
                const double nr = ur * wr - ui * wi;
                const double ni = ur * wi + ui * wr;
                ur = nr;
                ui = ni;
            }
        }
        std::uint32_t j = 1;
        for (std::uint32_t i = 1; i <= n - 1; ++i) {
            if (i < j) {
                std::swap(re[i], re[j]);
                std::swap(im[i], im[j]);
            }
            std::uint32_t k = n / 2;
            while (k < j) {
                j = j - k;
                k = k / 2;
            }
            j = j + k;
        }
        for (std::uint32_t k = 1; k <= n; ++k) {
            if (mode == 0) {
                re[k] = re[k] / (length * 0.5);
                im[k] = im[k] / (length * 0.5);
            } else if (mode == 1) {
                re[k] = re[k] / (static_cast<double>(n) / length);
                im[k] = im[k] / (static_cast<double>(n) / length);
            } else if (mode == 2) {
                re[k] = re[k] * (2.0 / n);
                im[k] = im[k] * (2.0 / n);
            }
        }
    }

    void computeMagnitudes() {
        mag.assign(n + 1, 0.0);
        for (std::uint32_t k = 1; k <= n; ++k) {
            mag[k] = std::sqrt(re[k] * re[k] + im[k] * im[k]);
        }
    }

    // The peak of bins 1..N/2, the first of equal maxima; index 0 when every magnitude is 0.
    std::pair<double, std::uint32_t> maxMagnitude() const {
        double m = 0.0;
        std::uint32_t index = 0;
        for (std::uint32_t k = 1; k <= n / 2; ++k) {
            if (mag[k] > m) {
                m = mag[k];
                index = k;
            }
        }
        return {m, index};
    }
};

} // namespace korvanta::testing
