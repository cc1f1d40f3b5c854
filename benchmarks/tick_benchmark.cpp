// Times monitoring ticks over a full 200,000-record table against one plain pass over it: 64
// whole-buffer means, and a mixed set of every kind of channel with and without "ZERO".

#include "acquisition/control_block.h"
#include "acquisition/settings_record.h"
#include "acquisition/tick_view.h"
#include "bench_timing.h"
#include "monitor/channel_functions.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <vector>

namespace {

using namespace korvanta;

constexpr int kRecords = 200000;
constexpr int kCurrentIndex = 123457;
constexpr double kSamplePeriod = 1.0 / 86400000.0; // 1 ms in days
constexpr int kRuns = 21;

// A 50 Hz voltage and current on inputs 1, 2 and 11, 12 (currents with an offset, so that
// "ZERO" matters), three-phase direction inputs 3, 5 and 13, 15, and vibration-like signals with
// noise on the other inputs.
float inputValue(int m, int q) {
    const double ms = q;
    const double w = 2 * M_PI * 50 / 1000.0;
    const double noise = ((q * 2654435761U + static_cast<unsigned>(m) * 40503U) % 1000) / 1000.0;
    switch (m) {
    case 1:
    case 11:
        return static_cast<float>(325 * std::sin(w * ms + 0.3 * m));
    case 2:
    case 12:
        return static_cast<float>(14 * std::sin(w * ms + 0.3 * m - 0.25) + 0.5);
    case 3:
    case 13:
        return static_cast<float>(std::sin(w * ms + 0.3 * m + 2.1));
    case 5:
    case 15:
        return static_cast<float>(std::sin(w * ms + 0.3 * m - 2.1));
    default:
        return static_cast<float>(3 * std::sin(2 * M_PI * 25 / 1000.0 * ms + m) +
                                  std::sin(2 * M_PI * 133 / 1000.0 * ms) + noise + m);
    }
}

struct Bench {
    std::vector<acquisition::Tabela> records = std::vector<acquisition::Tabela>(kRecords);
    std::array<unsigned char, acquisition::ControlBlock::kSize> block{};
    std::unique_ptr<acquisition::SettingsRecord> settings =
        std::make_unique<acquisition::SettingsRecord>();
    monitor::CurrentValues values{};
    monitor::Moc1fazy power;
    monitor::MedianStore median;

    Bench() {
        acquisition::ControlBlock control(block.data());
        control.setRecordCount(kRecords);
        control.setCurrentIndex(kCurrentIndex);
        control.setSamplePeriod(kSamplePeriod);
        for (int j = 0; j < kRecords; ++j) {
            auto& r = records[static_cast<std::size_t>(j)];
            const int q = (j - kCurrentIndex + kRecords) % kRecords;
            r.timeStamp = 46000.0 + q * kSamplePeriod;
            for (int m = 1; m <= acquisition::Tabela::kInputCount; ++m) {
                r.values[m - 1] = inputValue(m, q);
            }
        }
    }

    acquisition::TickView view() {
        acquisition::ControlBlock control(block.data());
        return {control, acquisition::DataTable(records.data(), kRecords), kCurrentIndex,
                control.samplePeriod()};
    }
};

// Median time of `work` in milliseconds, counted on this thread's CPU clock: on a machine shared
// with other work, time spent preempted would otherwise swamp a tick of a few milliseconds.
double medianMs(const std::function<void()>& work) {
    const auto cpuMs = [] {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
    };
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const double start = cpuMs();
        work();
        times.push_back(cpuMs() - start);
    }
    return benchmarks::median(times);
}

// The yardstick: every input of every record summed once.
double plainPassMs(Bench& bench) {
    return medianMs([&] {
        std::array<double, acquisition::Tabela::kInputCount> sums{};
        for (const acquisition::Tabela& r : bench.records) {
            for (int m = 0; m < acquisition::Tabela::kInputCount; ++m) {
                sums[static_cast<std::size_t>(m)] += r.values[m];
            }
        }
        benchmark::DoNotOptimize(sums);
    });
}

double tickMs(Bench& bench, bool zero) {
    const acquisition::TickView tick = bench.view();
    monitor::ChannelContext context{*bench.settings, tick,         bench.values,
                                    bench.power,     bench.median, zero};
    return medianMs([&] {
        monitor::evaluateActiveChannels(context);
        benchmark::DoNotOptimize(bench.values);
    });
}

double channelByChannelMs(Bench& bench, bool zero) {
    const acquisition::TickView tick = bench.view();
    monitor::ChannelContext context{*bench.settings, tick,         bench.values,
                                    bench.power,     bench.median, zero};
    return medianMs([&] {
        for (int i = 0; i < acquisition::SettingsRecord::kChannelCount; ++i) {
            if (bench.settings->active(i + 1)) {
                monitor::FunSwitch(i, context);
            }
        }
        benchmark::DoNotOptimize(bench.values);
    });
}

// Every channel a whole-buffer mean; the inputs 1..32 twice over so that every channel reads.
void allMeans(acquisition::SettingsRecord& settings) {
    settings.resetChannelDefaults(64);
    for (int k = 1; k <= 64; ++k) {
        settings.setActive(k, true);
        settings.setInputNumber(k, (k - 1) % 32 + 1);
    }
}

struct Use {
    int code;
    int input; // 0: the group's power pair, negative: the group's signal input -input
    int bufferLength;
};

// Four groups of sixteen channels, each over its own power pair and signal inputs: means over
// the whole buffer and over windows, power with its followers, RMS, crest, V/rms, direction,
// median and operand channels, some of them referring to higher channels.
void mixed(acquisition::SettingsRecord& settings) {
    using namespace monitor;
    const std::array<Use, 16> group = {{{Mean, -1, 0},
                                        {Mean, -2, 1000},
                                        {TruePower, 0, 0},
                                        {ApparentPower, 0, 0},
                                        {ReactivePower, 0, 0},
                                        {Voltage, 0, 0},
                                        {Current, 0, 0},
                                        {CosPhi, 0, 0},
                                        {Rms, -3, 0},
                                        {Crest, 0, 0},
                                        {Rms, -4, 20000},
                                        {VibrationRatio, -4, 0},
                                        {Direction3f, 0, 0},
                                        {Mediana, -1, 0},
                                        {Sum2, 0, 0},
                                        {Difference, 0, 0}}};
    settings.resetChannelDefaults(64);
    for (int k = 1; k <= 64; ++k) {
        const int g = (k - 1) / 16;
        const Use use = group[static_cast<std::size_t>((k - 1) % 16)];
        const int pair = g % 2 == 0 ? 1 : 11;
        const int input = use.input == 0 ? pair : 16 + 4 * g - use.input;
        settings.setActive(k, true);
        settings.setFunctionIndex(k, use.code);
        settings.setBufferLength(k, use.bufferLength + (use.bufferLength != 0 ? 7000 * g : 0));
        settings.setInputNumber(k, input);
        settings.setOperand1(k, 16 * g + 1);
        settings.setOperand2(k, (16 * g + 19) % 64 + 1);
        settings.setOperand3(k, 16 * g + 3);
    }
}

void report(const char* what, double ms, double pass, double target) {
    std::printf("%s: %.3f ms, ratio %.2f (target <= %g)\n", what, ms, ms / pass, target);
}

} // namespace

int main() {
    Bench bench;
    const double pass = plainPassMs(bench);
    std::printf("table: %d records x 32 inputs, median of %d runs, thread CPU time\n", kRecords,
                kRuns);
    std::printf("one pass over the table: %.3f ms\n", pass);

    allMeans(*bench.settings);
    report("64 whole-buffer means tick", tickMs(bench, true), pass, 2);

    mixed(*bench.settings);
    const double separate = channelByChannelMs(bench, true);
    report("mixed 64-channel tick", tickMs(bench, true), pass, 5);
    report("mixed 64-channel tick, ZERO off", tickMs(bench, false), pass, 5);
    std::printf("mixed 64-channel tick, channel by channel: %.3f ms, ratio %.2f\n", separate,
                separate / pass);
    return 0;
}
