#include "monitor/moc1fazy.h"

#include "common/day_time.h"
#include "monitor/backward_walk.h"
#include "monitor/input_range.h"
#include "monitor/power_analysis.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace korvanta::monitor {
namespace {

using acquisition::TickView;

double input(const TickView& tick, int record, int index) {
    return tick.table.record(record).values[index];
}

int usableCount(const TickView& tick) {
    return walkable(tick) ? tick.recordCount() : 0;
}

double sumOverWalk(const TickView& tick, int index, std::int64_t visits) {
    double sum = 0;
    walkBack(tick, visits, [&](int i) { sum += input(tick, i, index); });
    return sum;
}

Deviations deviationsOverWalk(const TickView& tick, int index, std::int64_t visits, double mean) {
    Deviations result;
    walkBack(tick, visits, [&](int i) {
        const double d = input(tick, i, index) - mean;
        result.largest = std::max(result.largest, d);
        result.sumOfSquares += d * d;
    });
    return result;
}

double guardedRoot(double sum, double count, bool usable) {
    return usable && sum > 0 ? std::sqrt(sum / count) : 0.0;
}

} // namespace

double Moc1fazy::meanOfBuffer(int inputIndex, const TickView& tick) const {
    const int n = usableCount(tick);
    if (n <= 0 || !hasInputs(inputIndex)) {
        return 0;
    }
    return sumOverWalk(tick, inputIndex, n) / n;
}

double Moc1fazy::meanOfWindow(int inputIndex, const TickView& tick, std::int64_t L) const {
    if (usableCount(tick) <= 0 || L <= 0 || !hasInputs(inputIndex)) {
        return 0;
    }
    return sumOverWalk(tick, inputIndex, L) / static_cast<double>(L);
}

double Moc1fazy::rmsOfWindow(int inputIndex, const TickView& tick, std::int64_t L) {
    if (!hasInputs(inputIndex)) {
        return 0;
    }
    const double mean = meanOfWindow(inputIndex, tick, L);
    return takeDeviations(deviationsOverWalk(tick, inputIndex, L, mean), static_cast<double>(L),
                          usableCount(tick) > 0);
}

double Moc1fazy::vibrationStats(int inputIndex, const TickView& tick) {
    if (!hasInputs(inputIndex)) {
        return 0;
    }
    if (window <= 0) {
        window = 50;
    }
    const double mean = meanOfBuffer(inputIndex, tick);
    const int n = usableCount(tick);
    std::vector<double> ring(static_cast<std::size_t>(window));
    VibrationSums sums;
    Deviations& dev = sums.deviations;
    double integral = 0;
    double ringSum = 0;
    double average = movingAverageCarry;
    std::int64_t k = 0;
    std::size_t slot = 0;
    walkBack(tick, n, [&](int i) {
        const double d = input(tick, i, inputIndex) - mean;
        dev.largest = std::max(dev.largest, d);
        dev.sumOfSquares += d * d;
        integral += d * tick.samplePeriod * common::kSecondsPerDay;
        if (k < window) {
            ring[static_cast<std::size_t>(k)] = integral;
            ringSum += integral;
            if (k > 0) {
                average = ringSum / static_cast<double>(k + 1);
            }
        } else {
            ringSum += integral - ring[slot];
            ring[slot] = integral;
            average = ringSum / window;
            slot = (slot + 1) % ring.size();
        }
        const double e = integral - average;
        sums.sumE2 += e * e;
        // Only the middle of the buffer, away from its ends and the wrap, counts for the peak.
        if (k > 200 && k < n - 200 && i > 1 && i < n - 1) {
            sums.peak = std::max(sums.peak, std::fabs(e));
        }
        ++k;
    });
    sums.average = average;
    return takeVibration(sums, n);
}

double Moc1fazy::crestOfBuffer(int inputIndex, const TickView& tick) {
    if (!hasInputs(inputIndex)) {
        return 0;
    }
    const int n = usableCount(tick);
    const double mean = n > 0 ? sumOverWalk(tick, inputIndex, n - 1) / n : 0.0;
    takeDeviations(deviationsOverWalk(tick, inputIndex, n - 1, mean), n, n > 0);
    return crest;
}

double Moc1fazy::takeDeviations(const Deviations& sums, double count, bool usable) {
    rms = guardedRoot(sums.sumOfSquares, count, usable);
    crest = rms != 0 ? sums.largest / rms : 0;
    return rms;
}

double Moc1fazy::takeVibration(const VibrationSums& sums, int n) {
    movingAverageCarry = sums.average;
    takeDeviations(sums.deviations, n, n > 0);
    const double r = guardedRoot(sums.sumE2, n, n > 1);
    vRatio = r != 0 ? sums.peak / r : 0;
    return rms;
}

void Moc1fazy::computePower(int inputIndex, const TickView& tick) {
    if (hasInputs(inputIndex, 2)) {
        analysePower(inputIndex, tick, 0.0, 0.0);
    }
}

void Moc1fazy::computePowerZeroMean(int inputIndex, const TickView& tick) {
    if (hasInputs(inputIndex, 2)) {
        analysePower(inputIndex, tick, meanOfBuffer(inputIndex, tick),
                     meanOfBuffer(inputIndex + 1, tick));
    }
}

void Moc1fazy::analysePower(int inputIndex, const TickView& tick, double meanU, double meanI) {
    PowerAnalysis analysis(inputIndex, tick.samplePeriod, meanU, meanI);
    const int n = usableCount(tick);
    if (n > 0) {
        // From the current record itself, the oldest of the ring, forward to the newest.
        int b = tick.currentIndex;
        analysis.begin(tick.table.record(b));
        for (int step = 1; step < n; ++step) {
            const double tPrev = tick.table.record(b).timeStamp;
            b = tick.table.nextIndex(b);
            analysis.step(tPrev, tick.table.record(b));
        }
    }
    analysis.finish(*this, n);
}

} // namespace korvanta::monitor
