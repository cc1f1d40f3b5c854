#include "analysis/histogram.h"

#include "analysis/analysis_texts.h"
#include "common/number_format.h"

#include <algorithm>
#include <cmath>

namespace korvanta::analysis {

namespace {

struct Extent {
    double lowest = 0;
    double highest = 0;
    bool any = false;
};

Extent extentOf(std::span<const double> values) {
    Extent e;
    for (const double v : values) {
        if (std::isnan(v)) {
            continue;
        }
        e.lowest = e.any ? std::min(e.lowest, v) : v;
        e.highest = e.any ? std::max(e.highest, v) : v;
        e.any = true;
    }
    return e;
}

std::size_t binOf(double v, const Extent& extent, double width, std::size_t bins) {
    const double k = std::floor((v - extent.lowest) / width);
    if (!(k >= 0)) {
        return 0;
    }
    return k >= static_cast<double>(bins) ? bins - 1 : static_cast<std::size_t>(k);
}

} // namespace

common::Result<Histogram> histogram(std::span<const double> all, std::span<const double> visible,
                                    int bins) {
    if (bins < 1) {
        return common::Result<Histogram>::failure(
            QStringLiteral("Liczba przedziałów musi być co najmniej 1"));
    }
    const Extent extent = extentOf(all);
    if (!extent.any) {
        return common::Result<Histogram>::failure(noDataText());
    }
    const double range = extent.highest - extent.lowest;
    const std::size_t count = range > 0 ? static_cast<std::size_t>(bins) : 1;
    const double width = range > 0 ? range / bins : 0.0;

    std::vector<int> counts(count, 0);
    for (const double v : visible) {
        if (!std::isnan(v)) {
            ++counts[range > 0 ? binOf(v, extent, width, count) : 0];
        }
    }
    Histogram h;
    h.lowest = extent.lowest;
    h.width = width;
    h.widthText = common::formatFloat(QStringLiteral("0.000"), width);
    for (std::size_t k = 0; k < count; ++k) {
        const double middle = extent.lowest + width / 2 + static_cast<double>(k) * width;
        h.bars.push_back({counts[k], common::formatFloat(QStringLiteral("#0.000"), middle)});
    }
    return h;
}

} // namespace korvanta::analysis
