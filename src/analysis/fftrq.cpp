#include "analysis/fftrq.h"

#include "platform/messages.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>
#include <utility>

namespace korvanta::analysis {

FFTRQ::FFTRQ(platform::Messages* messages) : m_messages(messages) {}

QString FFTRQ::errorText(int code) {
    switch (code) {
    case EarlyAccess:
        return QStringLiteral("Błąd 1: Przedwczesny dostęp do tablic. Wywołanie funkcji dozwolone "
                              "tylko po obliczeniu FFT.");
    case InvalidIndex:
        return QStringLiteral("Błąd 2: Podana wartość jest nieprawidłowa.");
    case EarlyCall:
        return QStringLiteral("Błąd 3: Przedwczesne wywołanie funkcji. Wywołanie funkcji "
                              "dozwolone tylko po obliczeniu FFT.");
    default:
        return {};
    }
}

std::uint32_t FFTRQ::PaddedSize(int requested) {
    std::uint64_t size = 1;
    while (size < static_cast<std::uint64_t>(std::max(requested, 1))) {
        size *= 2;
    }
    return static_cast<std::uint32_t>(size);
}

void FFTRQ::AddSample(double re, double im) {
    m_sampleRe.push_back(re);
    m_sampleIm.push_back(im);
    ++m_count;
    m_prepared = false;
}

void FFTRQ::Prepare() {
    m_halfSize = 1;
    std::uint32_t n = 1;
    int stages = 0;
    while (n < m_count) {
        n *= 2;
        ++stages;
    }
    m_naturalSize = n;
    if (m_fixedSize) {
        n = std::max(PaddedSize(m_requestedSize), n);
        stages = std::countr_zero(n);
    }
    m_re.assign(std::size_t{n} + 1, 0.0);
    m_im.assign(std::size_t{n} + 1, 0.0);
    // Only what the list holds: a second Prepare without Reset finds count already at N.
    const std::size_t added = std::min<std::size_t>(m_count, m_sampleRe.size());
    std::copy_n(m_sampleRe.begin(), added, m_re.begin() + 1);
    std::copy_n(m_sampleIm.begin(), added, m_im.begin() + 1);
    m_sampleCount = m_count;
    m_count = n;
    m_stages = stages;
    m_halfSize = n / 2;
    m_computed = false;
    m_prepared = true;
}

void FFTRQ::Compute(int mode) {
    if (!m_prepared) {
        return;
    }
    transform();
    reorder();
    normalise(mode);
    m_computed = true;
}

// Decimation in frequency; the twiddle of a stage is advanced by one complex multiplication per
// butterfly group, not recomputed from its angle.
void FFTRQ::transform() {
    const std::uint32_t n = m_count;
    double* re = m_re.data();
    double* im = m_im.data();
    for (int t = 1; t <= m_stages; ++t) {
        const std::uint32_t le = std::uint32_t{1} << (m_stages + 1 - t);
        const std::uint32_t h = le / 2;
        const double wr = std::cos(std::numbers::pi / h);
        const double wi = m_direction * std::sin(std::numbers::pi / h);
        double ur = 1.0;
        double ui = 0.0;
        for (std::uint32_t j = 1; j <= h; ++j) {
            for (std::uint32_t k = j; k <= n; k += le) {
                const double tr = re[k] - re[k + h];
                const double ti = im[k] - im[k + h];
                re[k] = re[k] + re[k + h];
                im[k] = im[k] + im[k + h];
                re[k + h] = tr * ur - ti * ui;
                im[k + h] = ti * ur + tr * ui;
            }
            const double vr = ur * wr - ui * wi;
            ui = ur * wi + ui * wr;
            ur = vr;
        }
    }
}

void FFTRQ::reorder() {
    const std::uint32_t n = m_count;
    std::uint32_t j = 1;
    for (std::uint32_t i = 1; i < n; ++i) {
        if (i < j) {
            std::swap(m_re[i], m_re[j]);
            std::swap(m_im[i], m_im[j]);
        }
        std::uint32_t k = n / 2;
        while (k < j) {
            j -= k;
            k /= 2;
        }
        j += k;
    }
}

void FFTRQ::normalise(int mode) {
    const std::uint32_t n = m_count;
    const double length = m_sampleCount;
    // Without samples the arrays are all zero; dividing by the length would turn them into NaN.
    if ((mode == Spectrum || mode == Inverse) && m_sampleCount == 0) {
        return;
    }
    for (std::uint32_t k = 1; k <= n; ++k) {
        switch (mode) {
        case Spectrum:
            m_re[k] = m_re[k] / (length * 0.5);
            m_im[k] = m_im[k] / (length * 0.5);
            break;
        case Inverse:
            m_re[k] = m_re[k] / (n / length);
            m_im[k] = m_im[k] / (n / length);
            break;
        case TwoOverN:
            m_re[k] = m_re[k] * (2.0 / n);
            m_im[k] = m_im[k] * (2.0 / n);
            break;
        default:
            return;
        }
    }
}

void FFTRQ::ComputeMagnitudes() {
    if (!m_computed) {
        fail(EarlyCall);
        return;
    }
    const std::size_t n = m_re.size() - 1;
    m_mag.assign(n + 1, 0.0);
    for (std::size_t k = 1; k <= n; ++k) {
        m_mag[k] = std::sqrt(m_re[k] * m_re[k] + m_im[k] * m_im[k]);
    }
}

double FFTRQ::MaxMagnitude() {
    const std::size_t last =
        std::min<std::size_t>(m_halfSize, m_mag.empty() ? 0 : m_mag.size() - 1);
    double m = 0.0;
    for (std::size_t k = 1; k <= last; ++k) {
        if (m_mag[k] > m) {
            m = m_mag[k];
            m_peakIndex = static_cast<std::uint32_t>(k);
        }
    }
    return m;
}

double FFTRQ::Re(std::uint32_t index) {
    if (index > m_count || index >= m_re.size()) {
        fail(InvalidIndex);
        return 0.0;
    }
    return m_re[index];
}

double FFTRQ::Im(std::uint32_t index) {
    if (!m_computed) {
        fail(EarlyAccess);
        return 0.0;
    }
    if (index > m_count || index >= m_im.size()) {
        fail(InvalidIndex);
        return 0.0;
    }
    return m_im[index];
}

double FFTRQ::Magnitude(std::uint32_t index) {
    if (!m_computed) {
        fail(EarlyAccess);
        return 0.0;
    }
    if (index > m_count || index >= m_mag.size()) {
        fail(InvalidIndex);
        return 0.0;
    }
    return m_mag[index];
}

void FFTRQ::Reset() {
    m_sampleRe.clear();
    m_sampleIm.clear();
    m_count = 0;
    m_fixedSize = false;
    m_computed = false;
    m_prepared = false;
}

void FFTRQ::fail(Error code) {
    m_lastError = code;
    if (m_messages != nullptr) {
        m_messages->show(errorText(code), QStringLiteral("Korvanta"));
    }
}

} // namespace korvanta::analysis
