#include "analysis/fftrq.h"

#include "platform/messages.h"

#include <algorithm>
#include <bit>
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

std::uint32_t FFTRQ::paddedSize(int requested) {
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
        n = std::max(paddedSize(m_requestedSize), n);
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
    FftPlan& plan = m_direction < 0 ? m_forwardPlan : m_inversePlan;
    plan.prepare(m_stages, m_direction);
    plan.butterflies(m_re.data() + 1, m_im.data() + 1);
    reorderAndNormalise(plan, mode);
    m_computed = true;
}

void FFTRQ::reorderAndNormalise(const FftPlan& plan, int mode) {
    const std::uint32_t n = m_count;
    const double length = m_sampleCount;
    auto scaling = FftPlan::Scaling::None;
    double value = 0.0;
    // Without samples the arrays are all zero; dividing by the length would turn them into NaN.
    if (mode == Spectrum && m_sampleCount > 0) {
        scaling = FftPlan::Scaling::Divide;
        value = length * 0.5;
    } else if (mode == Inverse && m_sampleCount > 0) {
        scaling = FftPlan::Scaling::Divide;
        value = n / length;
    } else if (mode == TwoOverN) {
        scaling = FftPlan::Scaling::Multiply;
        value = 2.0 / n;
    }
    m_spareRe.resize(m_re.size());
    m_spareIm.resize(m_im.size());
    m_spareRe[0] = m_re[0];
    m_spareIm[0] = m_im[0];
    plan.reorder(m_re.data() + 1, m_im.data() + 1, m_spareRe.data() + 1, m_spareIm.data() + 1,
                 scaling, value);
    std::swap(m_re, m_spareRe);
    std::swap(m_im, m_spareIm);
}

void FFTRQ::ComputeMagnitudes() {
    if (!m_computed) {
        fail(EarlyCall);
        return;
    }
    const std::size_t n = m_re.size() - 1;
    m_mag.resize(n + 1);
    m_mag[0] = 0.0;
    FftPlan::magnitudes(m_re.data() + 1, m_im.data() + 1, m_mag.data() + 1, n);
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
