#include "analysis/series_tools.h"

#include <cmath>

namespace korvanta::analysis {

double removeMean(std::span<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    double sum = 0.0;
    for (const double v : values) {
        sum += v;
    }
    const double mean = sum / static_cast<double>(values.size());
    for (double& v : values) {
        v -= mean;
    }
    return mean;
}

common::Result<std::vector<double>> envelope(std::span<const double> visible, int window) {
    if (window < 1 || static_cast<std::size_t>(window) > visible.size()) {
        return common::Result<std::vector<double>>::failure(
            QStringLiteral("Ilość próbek w oknie musi być od 1 do %1").arg(visible.size()));
    }
    const std::size_t w = static_cast<std::size_t>(window);
    std::vector<double> result(visible.size() - w);
    for (std::size_t i = 0; i < result.size(); ++i) {
        double sum = 0.0;
        for (std::size_t k = i; k < i + w; ++k) {
            sum += visible[k] * visible[k];
        }
        result[i] = std::sqrt(sum / static_cast<double>(w));
    }
    return result;
}

void calibrate(std::span<double> visible, double factor) {
    for (double& v : visible) {
        v = v * factor;
    }
}

} // namespace korvanta::analysis
