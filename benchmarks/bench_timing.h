#pragma once
// Timing helpers shared by the benchmark programs.

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

namespace korvanta::benchmarks {

using Clock = std::chrono::steady_clock;

inline double median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

inline double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// This thread's CPU time in milliseconds: on a machine shared with other work, the wall clock
// also counts the time others took.
inline double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

} // namespace korvanta::benchmarks
