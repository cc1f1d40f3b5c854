// libFuzzer target over the settings files (.bupas and the .sett companions): any bytes are read
// as a settings dump, applied as start-up applies them through the core (periods, save count,
// axis limits, directories, bench-test parameters, live-value slots, and every channel's function
// evaluated over a small table), then written back and read again. A record that differs from the
// bytes read, a broken promise of a core function, or a round trip that is not byte-identical
// aborts.

#include "acquisition/control_block.h"
#include "acquisition/settings_file.h"
#include "acquisition/settings_record.h"
#include "acquisition/tabela.h"
#include "acquisition/tick_view.h"
#include "bench/bench_parameters.h"
#include "chart/axis_limits.h"
#include "common/conversion_error.h"
#include "common/local_directory.h"
#include "common/number_format.h"
#include "fuzz_checks.h"
#include "monitor/channel_functions.h"
#include "monitor/live_texts.h"
#include "monitor/object_slots.h"
#include "monitor/period.h"
#include "monitor/report_step.h"
#include "monitor/value_format.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

using namespace korvanta;
using acquisition::SettingsRecord;

namespace {

using fuzz::require;

constexpr std::size_t kRecordSize = SettingsRecord::kSize;
constexpr int kTableRecords = 8;
// A channel walks its buffer length in records, round the table as often as it takes, so a
// length in the billions costs seconds; a few rounds cover what any longer walk does.
constexpr std::int32_t kLongestWalk = 5 * kTableRecords;

const QTemporaryDir& workDirectory() {
    static const QTemporaryDir directory;
    require(directory.isValid());
    return directory;
}

QString writeInput(const std::uint8_t* data, std::size_t size) {
    const QString path = workDirectory().filePath(QStringLiteral("input.bupas"));
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    require(file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) ==
            static_cast<qint64>(size));
    return path;
}

// What the loader promises: every chunk of the file, the last one perhaps short, overwrites the
// record from its first byte.
std::vector<unsigned char> expectedRecord(const std::uint8_t* data, std::size_t size) {
    std::vector<unsigned char> record(kRecordSize, 0);
    for (std::size_t start = 0; start < size; start += kRecordSize) {
        const std::size_t length = std::min(kRecordSize, size - start);
        std::memcpy(record.data(), data + start, length);
    }
    return record;
}

bool sameBytes(const SettingsRecord& record, const unsigned char* bytes) {
    return std::memcmp(record.bytes(), bytes, kRecordSize) == 0;
}

// The file as start-up reads it: the record as the file left it, or the defaults of a start
// without a file.
void loadAsStartup(const std::uint8_t* data, std::size_t size, SettingsRecord& record) {
    const bool tooLong = size > kRecordSize * acquisition::kMaxSettingsChunks;
    const auto read = acquisition::readSettingsDump(writeInput(data, size), record);
    require(static_cast<bool>(read) == !tooLong);
    if (!read) {
        require(!read.reason().isEmpty());
        record.applyMissingFileDefaults();
        return;
    }
    require(sameBytes(record, expectedRecord(data, size).data()));
    record.raisePanelSizes();
    require(record.panel1Width() >= SettingsRecord::kMinimumPanelSize);
    require(record.propertiesPanelWidth() >= SettingsRecord::kMinimumPanelSize);
    require(record.panel3Height() >= SettingsRecord::kMinimumPanelSize);
}

// The start-up's own changes to the record before the pages read it.
void prepareRecord(SettingsRecord& record) {
    record.setDynamicMode(false);
    for (int k = 1; k <= SettingsRecord::kChannelCount; ++k) {
        if (record.inputNumber(k) == 0) {
            record.setInputNumber(k, 1);
        }
        record.setChartCoefficient(k, 1);
    }
}

void checkProgramTexts(const SettingsRecord& record) {
    const auto interval = monitor::monitoringInterval(record.periodText());
    require(!interval || *interval >= 1);
    try {
        common::parseInt(record.saveEveryText());
    } catch (const common::ConversionError& error) {
        require(!error.message().isEmpty());
    }
    try {
        const chart::AxisLimits limits =
            chart::parseFixedLimits(record.lowerLimitText(), record.upperLimitText());
        require(std::isfinite(limits.lower) && std::isfinite(limits.upper));
    } catch (const common::ConversionError& error) {
        require(!error.message().isEmpty());
    }
    for (const QString& directory :
         {record.dataDirectory(), record.configDirectory(), record.fileListDirectory()}) {
        const QString path = common::localDirectory(directory);
        require(QDir::isAbsolutePath(path) && !path.contains(QLatin1Char('\\')));
    }
}

void checkBenchParameters(const SettingsRecord& record) {
    const bench::BenchParameters parameters = bench::readBenchParameters(record);
    for (const double period : parameters.periods) {
        require(std::isfinite(period));
        require(bench::phaseInterval(period) >= 0);
    }
    for (const auto& check : {bench::checkTestParameters(parameters, record),
                              bench::checkPreparationParameters(parameters, record)}) {
        require(check || !check.reason().isEmpty());
    }
}

void checkSlot(const SettingsRecord& record, const monitor::CurrentValues& values, int channel) {
    const monitor::ObjectSlotView view =
        monitor::readObjectSlot(record, values, QString::number(channel));
    if (channel < 1 || channel > SettingsRecord::kChannelCount) {
        require(view.label.isEmpty() && !view.value);
    }
}

void checkObjectSlots(const SettingsRecord& record, const monitor::CurrentValues& values) {
    for (int slot = 0; slot < SettingsRecord::kObjectChannelCount; ++slot) {
        checkSlot(record, values, record.objectChannel(slot));
    }
    for (int slot = 0; slot < SettingsRecord::kExtraObjectChannelCount; ++slot) {
        checkSlot(record, values, record.extraObjectChannel(slot));
    }
}

// A small table whose inputs all differ, so a channel reading the wrong input shows.
struct SmallTable {
    SmallTable() : records(kTableRecords) {
        acquisition::ControlBlock control(block.data());
        control.setRecordCount(kTableRecords);
        control.setCurrentIndex(3);
        control.setSamplePeriod(1.0 / 86400000.0);
        for (int j = 0; j < kTableRecords; ++j) {
            auto& record = records[static_cast<std::size_t>(j)];
            record.timeStamp = 1.0 + j / 86400000.0;
            for (int m = 0; m < acquisition::Tabela::kInputCount; ++m) {
                record.values[m] = static_cast<float>(std::sin(j * 0.7 + m) * (m + 1));
            }
        }
    }

    acquisition::TickView view() {
        acquisition::ControlBlock control(block.data());
        return {control, acquisition::DataTable(records.data(), kTableRecords), 3,
                control.samplePeriod()};
    }

    std::vector<acquisition::Tabela> records;
    std::array<unsigned char, acquisition::ControlBlock::kSize> block{};
};

struct Evaluation {
    monitor::CurrentValues values{};
    monitor::Moc1fazy power;
    monitor::MedianStore median;

    monitor::ChannelContext context(const SettingsRecord& record,
                                    const acquisition::TickView& tick) {
        return {record, tick, values, power, median, false};
    }
};

bool sameValues(const monitor::CurrentValues& a, const monitor::CurrentValues& b) {
    return std::memcmp(a.data(), b.data(), sizeof a) == 0;
}

QStringList functionNames() {
    QStringList names;
    for (int code = 0; code <= monitor::Mediana; ++code) {
        names << QStringLiteral("f%1").arg(code);
    }
    return names;
}

SettingsRecord withBoundedWalks(const SettingsRecord& record) {
    SettingsRecord bounded = record;
    for (int k = 1; k <= SettingsRecord::kChannelCount; ++k) {
        bounded.setBufferLength(k, std::min(record.bufferLength(k), kLongestWalk));
    }
    return bounded;
}

// Every active channel by its function, input and buffer length: the walk over the whole tick
// must leave the values FunSwitch leaves channel by channel, and the report shows each of them.
void checkChannels(const SettingsRecord& fromFile) {
    const auto boundedRecord = std::make_unique<SettingsRecord>(withBoundedWalks(fromFile));
    const SettingsRecord& record = *boundedRecord;
    SmallTable table;
    const acquisition::TickView tick = table.view();
    Evaluation single;
    Evaluation whole;
    auto singleContext = single.context(record, tick);
    auto wholeContext = whole.context(record, tick);
    int activeCount = 0;
    for (int i = 0; i < SettingsRecord::kChannelCount; ++i) {
        if (record.active(i + 1)) {
            monitor::FunSwitch(i, singleContext);
            ++activeCount;
        }
    }
    monitor::evaluateActiveChannels(wholeContext);
    require(sameValues(single.values, whole.values));
    require(single.median.size() == whole.median.size());

    Evaluation report;
    auto reportContext = report.context(record, tick);
    const QStringList lines =
        monitor::buildReport(reportContext, {1.5, false, functionNames()}, 1.0);
    require(lines.size() == 1 + activeCount);
    require(sameValues(report.values, whole.values));
    for (int k = 1; k <= SettingsRecord::kChannelCount; ++k) {
        const int decimals = record.decimalPlaces(k);
        const bool shown = monitor::formatChannelValue(decimals, whole.values[k - 1]).has_value();
        require(shown == (decimals >= 0 && decimals <= 3));
    }
    checkObjectSlots(record, whole.values);
    monitor::columnHeader(record);
}

// The record written back and read again is the same, byte for byte, and so is the file.
void checkRoundTrip(const SettingsRecord& record) {
    const QString path = workDirectory().filePath(QStringLiteral("written.bupas"));
    require(static_cast<bool>(acquisition::writeSettingsDump(path, record)));
    QFile file(path);
    require(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    require(written.size() == static_cast<qsizetype>(kRecordSize));
    require(sameBytes(record, reinterpret_cast<const unsigned char*>(written.constData())));
    auto reread = std::make_unique<SettingsRecord>();
    std::memset(reread->bytes(), 0xA5, kRecordSize);
    require(static_cast<bool>(acquisition::readSettingsDump(path, *reread)));
    require(sameBytes(*reread, record.bytes()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto record = std::make_unique<SettingsRecord>();
    loadAsStartup(data, size, *record);
    prepareRecord(*record);
    checkProgramTexts(*record);
    checkBenchParameters(*record);
    checkChannels(*record);
    checkRoundTrip(*record);
    return 0;
}
