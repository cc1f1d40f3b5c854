#pragma once
// An in-memory data table and control block assembled into a tick view, for the monitor tests.

#include "acquisition/control_block.h"
#include "acquisition/settings_record.h"
#include "acquisition/tick_view.h"
#include "monitor/channel_functions.h"
#include "monitor/monitoring_session.h"

#include <array>
#include <cmath>
#include <memory>
#include <vector>

namespace korvanta::testing {

class MonitorTable {
public:
    // n records, the ring's current record r, records 1 ms apart by default (times in days).
    explicit MonitorTable(int n, int r = 0, double samplePeriod = 1.0 / 86400000.0)
        : records(static_cast<std::size_t>(n)) {
        control().setRecordCount(n);
        control().setCurrentIndex(r);
        control().setSamplePeriod(samplePeriod);
        stampInRingOrder(1.0);
    }

    acquisition::ControlBlock control() { return acquisition::ControlBlock(block.data()); }

    acquisition::TickView view() {
        acquisition::TickView v{control(), acquisition::DataTable(), 0, control().samplePeriod()};
        if (!records.empty()) {
            v.table = acquisition::DataTable(records.data(), static_cast<int>(records.size()));
            v.currentIndex = control().currentIndex();
        }
        return v;
    }

    int size() const { return static_cast<int>(records.size()); }
    int currentIndex() { return control().currentIndex(); }
    // The sample number q of record j: 0 for the current (oldest) record, N - 1 for the newest.
    int age(int j) { return (j - currentIndex() + size()) % size(); }

    void set(int record, int inputNumber, float value) {
        records[static_cast<std::size_t>(record)].values[inputNumber - 1] = value;
    }
    // Sets an input of every record from its sample number q.
    template <typename F> void fill(int inputNumber, F valueOfSample) {
        for (int j = 0; j < size(); ++j) {
            set(j, inputNumber, static_cast<float>(valueOfSample(age(j))));
        }
    }

    std::vector<acquisition::Tabela> records;
    std::array<unsigned char, acquisition::ControlBlock::kSize> block{};

private:
    void stampInRingOrder(double start) {
        for (int j = 0; j < size(); ++j) {
            records[static_cast<std::size_t>(j)].timeStamp =
                start + age(j) * control().samplePeriod();
        }
    }
};

// A monitoring session with names for its parts, and channels set up in one call.
struct MonitorChannels {
    std::unique_ptr<monitor::MonitoringSession> session =
        std::make_unique<monitor::MonitoringSession>();
    acquisition::SettingsRecord* settings = &session->settings();
    monitor::CurrentValues& values = session->currentValues();
    monitor::Moc1fazy& power = session->power();
    monitor::MedianStore& median = session->median();

    // Channel k active with the given function, input and buffer length.
    void channel(int k, int code, int inputNumber, int bufferLength = 0, int decimals = 1) {
        settings->setActive(k, true);
        settings->setChannelNumber(k, k);
        settings->setFunctionIndex(k, code);
        settings->setInputNumber(k, inputNumber);
        settings->setBufferLength(k, bufferLength);
        settings->setDecimalPlaces(k, decimals);
    }

    monitor::ChannelContext context(const acquisition::TickView& tick, bool zero = false) {
        return session->channelContext(tick, zero);
    }
};

inline double sine(double amplitude, double hz, double ms, double phase) {
    return amplitude * std::sin(2 * M_PI * hz * ms / 1000.0 + phase);
}

} // namespace korvanta::testing
