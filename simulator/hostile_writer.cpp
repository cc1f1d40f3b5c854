#include "hostile_writer.h"

#include <limits>
#include <optional>

namespace korvanta::simulator {
namespace {

constexpr int kAuxValues = acquisition::ControlBlock::kAuxValueCount;
// Day numbers of this century: a time stamp that looks right but jumps about.
constexpr double kPlausibleDayLow = 36526;
constexpr double kPlausibleDayHigh = 73051;

// Cases 0..5 of a random pick: NaN, the infinities, the extremes and the smallest denormal.
template <typename T> std::optional<T> extremeValue(int which) {
    using Limits = std::numeric_limits<T>;
    switch (which) {
    case 0:
        return Limits::quiet_NaN();
    case 1:
        return Limits::infinity();
    case 2:
        return -Limits::infinity();
    case 3:
        return Limits::max();
    case 4:
        return Limits::lowest();
    case 5:
        return Limits::denorm_min();
    default:
        return std::nullopt;
    }
}

} // namespace

HostileWriter::HostileWriter(std::uint32_t seed) : m_random(seed) {}

void HostileWriter::spoilControl(acquisition::ControlBlock control, int tableRecords) {
    control.setChannelCount(anyInteger(tableRecords));
    control.setRecordCount(anyInteger(tableRecords));
    control.setCurrentIndex(anyInteger(tableRecords));
    control.setAuxCount(anyInteger(tableRecords));
    control.setReportNumber(anyInteger(tableRecords));
    control.setSamplePeriod(anyDouble());
    for (int i = 0; i < kAuxValues; ++i) {
        control.setAuxValue(i, anyFloat());
    }
    control.setSystemAddress(static_cast<char>(m_random() & 0xFFU));
    m_written += 7 + kAuxValues;
}

void HostileWriter::spoilRecord(acquisition::Tabela& record) {
    record.timeStamp = anyDouble();
    for (float& value : record.values) {
        value = anyFloat();
    }
    m_written += 1 + acquisition::Tabela::kInputCount;
}

int HostileWriter::pick(int cases) {
    return std::uniform_int_distribution<int>(0, cases - 1)(m_random);
}

std::int32_t HostileWriter::anyInteger(int tableRecords) {
    using Limits = std::numeric_limits<std::int32_t>;
    switch (pick(10)) {
    case 0:
        return 0;
    case 1:
        return -1;
    case 2:
        return Limits::min();
    case 3:
        return Limits::max();
    case 4:
        return tableRecords;
    case 5:
        return tableRecords - 1;
    case 6:
        return tableRecords + 1;
    case 7:
        return std::uniform_int_distribution<std::int32_t>(Limits::min(), Limits::max())(m_random);
    default:
        return std::uniform_int_distribution<std::int32_t>(-10, 100)(m_random);
    }
}

double HostileWriter::anyDouble() {
    const int which = pick(12);
    if (const auto extreme = extremeValue<double>(which)) {
        return *extreme;
    }
    switch (which) {
    case 6:
        return 0.0;
    case 7:
        return -std::uniform_real_distribution<double>(0.0, 1e6)(m_random);
    case 8:
        return std::uniform_real_distribution<double>(-1e300, 1e300)(m_random);
    default:
        return std::uniform_real_distribution<double>(kPlausibleDayLow,
                                                      kPlausibleDayHigh)(m_random);
    }
}

float HostileWriter::anyFloat() {
    if (const auto extreme = extremeValue<float>(pick(10))) {
        return *extreme;
    }
    return std::uniform_real_distribution<float>(-1e3F, 1e3F)(m_random);
}

} // namespace korvanta::simulator
