#include "chart/span_statistics.h"

#include "common/day_time.h"

#include <QDate>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace korvanta::chart {

namespace {

// Day numbers and labels carry times to the millisecond; finer digits are only the rounding of
// the day or the date.
double wholeMilliseconds(double seconds) {
    return std::round(seconds * 1000) / 1000;
}

std::optional<double> datedSeconds(const QRegularExpressionMatch& m) {
    double seconds =
        m.captured(QStringLiteral("s")).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
    seconds += 60.0 * m.captured(QStringLiteral("m")).toInt();
    if (m.hasCaptured(QStringLiteral("h"))) {
        seconds += 3600.0 * m.captured(QStringLiteral("h")).toInt();
    }
    if (m.hasCaptured(QStringLiteral("y"))) {
        const QDate date(m.captured(QStringLiteral("y")).toInt(),
                         m.captured(QStringLiteral("mo")).toInt(),
                         m.captured(QStringLiteral("d")).toInt());
        if (!date.isValid()) {
            return std::nullopt;
        }
        seconds += static_cast<double>(date.toJulianDay()) * common::kSecondsPerDay;
    }
    return seconds;
}

} // namespace

std::optional<double> labelSeconds(const QString& label) {
    static const QRegularExpression withHours(QStringLiteral(
        R"(^\s*(?:(?<y>\d{4})-(?<mo>\d{2})-(?<d>\d{2})[ _])?(?<h>\d{1,2}):(?<m>\d{2}):)"
        R"((?<s>\d{2}(?:[.,]\d{1,3})?)\s*$)"));
    static const QRegularExpression minutes(
        QStringLiteral(R"(^\s*(?<m>\d{1,2}):(?<s>\d{2}(?:[.,]\d{1,3})?)\s*$)"));
    for (const QRegularExpression* form : {&withHours, &minutes}) {
        const QRegularExpressionMatch m = form->match(label);
        if (m.hasMatch()) {
            return datedSeconds(m);
        }
    }
    return std::nullopt;
}

TimeDifference timeDifference(const PointTimes& times, int indexA, int indexB) {
    const TimeDifference points{static_cast<double>(indexB - indexA), TimeUnit::Points};
    switch (times.basis) {
    case TimeBasis::DayNumberKeys:
        if (times.key) {
            return {
                wholeMilliseconds((times.key(indexB) - times.key(indexA)) * common::kSecondsPerDay),
                TimeUnit::Seconds};
        }
        return points;
    case TimeBasis::Labels:
        if (times.label) {
            const auto a = labelSeconds(times.label(indexA));
            const auto b = labelSeconds(times.label(indexB));
            if (a && b) {
                return {wholeMilliseconds(*b - *a), TimeUnit::Seconds};
            }
        }
        return points;
    case TimeBasis::Points:
        break;
    }
    return points;
}

SpanStatistics spanStatistics(std::span<const double> values, int indexA, int indexB,
                              const PointTimes& times) {
    SpanStatistics s;
    if (values.empty()) {
        return s;
    }
    const int last = static_cast<int>(values.size()) - 1;
    s.valid = true;
    s.indexA = std::clamp(indexA, 0, last);
    s.indexB = std::clamp(indexB, 0, last);
    s.valueA = values[static_cast<std::size_t>(s.indexA)];
    s.valueB = values[static_cast<std::size_t>(s.indexB)];
    s.difference = s.valueB - s.valueA;
    s.deltaT = timeDifference(times, s.indexA, s.indexB);

    const auto span = values.subspan(static_cast<std::size_t>(std::min(s.indexA, s.indexB)),
                                     static_cast<std::size_t>(std::abs(s.indexB - s.indexA) + 1));
    const auto [low, high] = std::minmax_element(span.begin(), span.end());
    double sum = 0;
    double squares = 0;
    for (const double v : span) {
        sum += v;
        squares += v * v;
    }
    s.count = static_cast<int>(span.size());
    s.minimum = *low;
    s.maximum = *high;
    s.peakToPeak = s.maximum - s.minimum;
    s.mean = sum / s.count;
    s.rms = std::sqrt(squares / s.count);
    return s;
}

} // namespace korvanta::chart
