#pragma once
// The readout of the A/B cursors for one series: the values at both cursors, the time between
// them, and the count, extremes, mean and RMS of every point from the left cursor to the right.

#include <QString>
#include <functional>
#include <optional>
#include <span>

namespace korvanta::chart {

// Seconds where the points carry a time, point numbers where they do not.
enum class TimeUnit { Seconds, Points };

struct TimeDifference {
    double value = 0;
    TimeUnit unit = TimeUnit::Points;
};

// Where the time of a point comes from.
enum class TimeBasis {
    DayNumberKeys, // live points: the key is a day number
    Labels,        // loaded files and the dynamic drawing: the label may name a time
    Points,        // analysis data: the key is the point number
};

struct PointTimes {
    TimeBasis basis = TimeBasis::Points;
    std::function<double(int)> key;    // the key of point i, read for DayNumberKeys
    std::function<QString(int)> label; // the label of point i, read for Labels
};

// The time a label names, in seconds: "[yyyy-mm-dd ]hh:mm:ss[.zzz]" (a '_' may stand for the
// blank) counts from the date or from midnight, "nn:ss[.zzz]" from the full hour. Blanks
// around the text are allowed; anything else names no time.
std::optional<double> labelSeconds(const QString& label);

// B − A, in seconds to the millisecond: (keyB − keyA) × 86400 for day-number keys; for labels,
// the difference of the times they name when both name one, else indexB − indexA points;
// otherwise indexB − indexA points. Times that wrap past midnight (or the hour) are not unwrapped.
TimeDifference timeDifference(const PointTimes& times, int indexA, int indexB);

struct SpanStatistics {
    bool valid = false; // false only for a series without points
    int indexA = 0;     // the cursors' points, clamped into the series
    int indexB = 0;
    double valueA = 0;
    double valueB = 0;
    double difference = 0; // valueB − valueA
    TimeDifference deltaT;
    // Over every point from min(A, B) to max(A, B), both included.
    int count = 0;
    double minimum = 0;
    double maximum = 0;
    double peakToPeak = 0;
    double mean = 0;
    double rms = 0; // square root of the mean of the squares
};

// The statistics of `values` between the points indexA and indexB, in either order. An index
// outside the series is clamped to its first or last point; a series without points gives an
// invalid result with everything else zero.
SpanStatistics spanStatistics(std::span<const double> values, int indexA, int indexB,
                              const PointTimes& times = {});

} // namespace korvanta::chart
