// Times one monitoring tick over a full 60,000-record table against one plain pass over it.

#include "acquisition/control_block.h"
#include "acquisition/settings_record.h"
#include "acquisition/tick_view.h"
#include "monitor/channel_functions.h"

#include <algorithm>
#include <array>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

using namespace korvanta;

constexpr int kRecords = 60000;
constexpr int kRuns = 31;

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
        control.setCurrentIndex(12345);
        control.setSamplePeriod(1.0 / 86400000.0);
        for (int j = 0; j < kRecords; ++j) {
            auto& r = records[static_cast<std::size_t>(j)];
            const int q = (j - 12345 + kRecords) % kRecords;
            r.timeStamp = 46000.0 + q / 86400000.0;
            for (int m = 0; m < acquisition::Tabela::kInputCount; ++m) {
                r.values[m] = static_cast<float>(100 * std::sin(0.1 * q + m) + m);
            }
        }
    }

    acquisition::TickView view() {
        acquisition::ControlBlock control(block.data());
        return {control, acquisition::DataTable(records.data(), kRecords), 12345,
                control.samplePeriod()};
    }
};

// Median wall time of `work` in milliseconds.
double medianMs(const std::function<void()>& work) {
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto stop = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
    }
    std::nth_element(times.begin(), times.begin() + kRuns / 2, times.end());
    return times[kRuns / 2];
}

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

double tickMs(Bench& bench) {
    const acquisition::TickView tick = bench.view();
    monitor::ChannelContext context{*bench.settings, tick,         bench.values,
                                    bench.power,     bench.median, true};
    return medianMs([&] {
        monitor::evaluateActiveChannels(context);
        benchmark::DoNotOptimize(bench.values);
    });
}

double channelByChannelMs(Bench& bench) {
    const acquisition::TickView tick = bench.view();
    monitor::ChannelContext context{*bench.settings, tick,         bench.values,
                                    bench.power,     bench.median, true};
    return medianMs([&] {
        for (int i = 0; i < acquisition::SettingsRecord::kChannelCount; ++i) {
            monitor::FunSwitch(i, context);
        }
        benchmark::DoNotOptimize(bench.values);
    });
}

// Every channel a whole-buffer mean; the inputs 1..32 twice over so that every channel reads.
void allMeans(acquisition::SettingsRecord& settings) {
    settings.resetChannelDefaults(64);
    for (int k = 1; k <= 64; ++k) {
        settings.setInputNumber(k, (k - 1) % 32 + 1);
    }
}

// Power, its followers, RMS, V/rms, sums, medians and windowed means in turn.
void mixed(acquisition::SettingsRecord& settings) {
    using namespace monitor;
    struct Use {
        int code;
        int bufferLength;
    };
    const std::array<Use, 12> cycle = {{{Mean, 0},
                                        {TruePower, 0},
                                        {ApparentPower, 0},
                                        {CosPhi, 0},
                                        {Rms, 0},
                                        {VibrationRatio, 0},
                                        {Sum2, 0},
                                        {Sum3, 0},
                                        {Mediana, 0},
                                        {Mean, 1000},
                                        {Crest, 0},
                                        {Difference, 0}}};
    settings.resetChannelDefaults(64);
    for (int k = 1; k <= 64; ++k) {
        const Use use = cycle[static_cast<std::size_t>((k - 1) % cycle.size())];
        settings.setFunctionIndex(k, use.code);
        settings.setBufferLength(k, use.bufferLength);
        settings.setInputNumber(k, ((k - 1) * 2) % 31 + 1);
        settings.setOperand1(k, 1);
        settings.setOperand2(k, 2);
        settings.setOperand3(k, 3);
    }
}

} // namespace

int main() {
    Bench bench;
    const double pass = plainPassMs(bench);
    allMeans(*bench.settings);
    const double tick = tickMs(bench);
    const double separate = channelByChannelMs(bench);
    mixed(*bench.settings);
    const double mixedTick = tickMs(bench);
    std::printf("table: %d records x 32 inputs, median of %d runs\n", kRecords, kRuns);
    std::printf("plain pass over all inputs:        %8.3f ms\n", pass);
    std::printf("tick, 64 whole-buffer means:       %8.3f ms  (%.2f x the pass, target <= 2)\n",
                tick, tick / pass);
    std::printf("  the same, channel by channel:    %8.3f ms  (%.2f x the pass)\n", separate,
                separate / pass);
    std::printf("tick, mixed functions:             %8.3f ms  (%.2f x the pass)\n", mixedTick,
                mixedTick / pass);
    return 0;
}
