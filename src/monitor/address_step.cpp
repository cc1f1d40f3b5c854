#include "monitor/address_step.h"

#include "chart/dynamic_walk.h"
#include "common/cp1250.h"
#include "common/day_time.h"
#include "common/number_format.h"
#include "common/text_file.h"
#include "monitor/data_directory.h"
#include "monitor/live_texts.h"
#include "monitor/value_format.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>

namespace korvanta::monitor {
namespace {

using acquisition::SettingsRecord;

const QString kDateTimePattern = QStringLiteral("yyyy-mm-dd hh:mm:ss.zzz");
constexpr double kTenSecondsPerDay = 8640.0;

QString charText(char c) {
    return common::fromCp1250(QByteArray(1, c));
}

char upperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Input v of every record becomes √(w1² + w2²); inputs a record does not have leave it as it is.
void applyVectorChannel(const acquisition::TickView& tick,
                        const std::optional<chart::VectorChannel>& vector) {
    const std::optional<chart::VectorChannel> step = chart::usableVector(vector);
    if (!step) {
        return;
    }
    for (int r = 0; r < tick.recordCount(); ++r) {
        acquisition::Tabela& record = tick.table.record(r);
        const double a = record.values[step->w1 - 1];
        const double b = record.values[step->w2 - 1];
        record.values[step->v - 1] = static_cast<float>(std::sqrt(a * a + b * b));
    }
}

QString functionName(int code, const QStringList& functionNames) {
    return code == CosPhi ? QStringLiteral(" ") : functionNames.value(code);
}

QString reportLine(const ChannelContext& context, int k, const QStringList& functionNames) {
    const SettingsRecord& s = context.settings;
    QString line = QStringLiteral("k%1 ").arg(s.channelNumber(k)) +
                   functionName(s.functionIndex(k), functionNames) + QLatin1Char(' ');
    Formatuj(line, s.decimalPlaces(k), context.values[static_cast<std::size_t>(k - 1)]);
    return line + QStringLiteral("  ") + s.channelName(k) + QStringLiteral("  ") + s.channelNote(k);
}

void buildLines(const ChannelContext& context, char address, const AddressStepInputs& inputs,
                AddressStepResult& result) {
    const SettingsRecord& s = context.settings;
    const QString now = common::formatDayTime(kDateTimePattern, inputs.now);
    result.dataLine = now;
    result.reportLines = QStringList{QStringLiteral("REPORT ") + now};
    for (int k = 1; k <= SettingsRecord::kChannelCount; ++k) {
        if (!s.active(k)) {
            continue;
        }
        result.dataLine += QLatin1Char(' ');
        Formatuj(result.dataLine, s.decimalPlaces(k),
                 context.values[static_cast<std::size_t>(k - 1)]);
        if (inputs.extraReport) {
            result.reportLines << reportLine(context, k, inputs.functionNames);
        }
    }
    result.memoLines = QStringList{QStringLiteral("Record: ") + charText(address), result.dataLine};
    result.fileBase = charText(upperAscii(address));
    result.columnHeader = columnHeader(s);
    result.label35 = QStringLiteral("time        ") + result.columnHeader;
}

FileOutcome appendTo(const QString& path, const QStringList& lines) {
    FileOutcome outcome;
    outcome.attempted = true;
    outcome.path = path;
    outcome.failure = common::appendLines(path, lines).reason();
    return outcome;
}

// The .dan file in the data directory (a new one receives only the file header), then the .net
// file in the start directory.
void save(const SettingsRecord& settings, const AddressStepInputs& inputs,
          AddressStepResult& result) {
    const QString danName = result.fileBase +
                            common::formatDayTime(QStringLiteral("yyyymm"), inputs.now) +
                            QStringLiteral(".dan");
    const QString danPath = enterDataDirectory(settings.dataDirectory(), danName);
    result.dan = QFileInfo::exists(danPath)
                     ? appendTo(danPath, {result.dataLine})
                     : appendTo(danPath, {inputs.fileDescription + result.columnHeader});
    QDir::setCurrent(inputs.startDirectory);
    if (inputs.extraNetFile) {
        result.net =
            appendTo(QDir(inputs.startDirectory).absoluteFilePath(result.fileBase + ".net"),
                     {result.dataLine});
    }
}

// The period line, Memo4 and an empty line, each line ending in one CR LF.
void writeReport(const AddressStepInputs& inputs, std::int32_t reportNumber,
                 AddressStepResult& result) {
    QDir::setCurrent(inputs.startDirectory);
    const auto period = static_cast<long long>(std::trunc(inputs.now * kTenSecondsPerDay));
    QStringList lines{QStringLiteral("%1   %2").arg(period).arg(reportNumber) + result.fileBase};
    lines << result.reportLines << QString();
    result.rap.attempted = true;
    result.rap.path = QDir(inputs.startDirectory).absoluteFilePath(result.fileBase + ".rap");
    result.rap.failure = common::writeLines(result.rap.path, lines).reason();
}

void runInOrder(ChannelContext& context, char address, const AddressStepInputs& inputs,
                SaveCounter& saveCounter, AddressStepResult& result) {
    const acquisition::TickView& tick = context.tick;
    const std::int32_t channelCount = tick.control.channelCount();
    const std::int32_t reportNumber = tick.control.reportNumber();
    common::setDecimalSeparator(QLatin1Char('.'));
    result.label55 = QStringLiteral("Current system: ") + charText(address);
    result.label66 =
        common::formatDayTime(QStringLiteral("sss.zzz"), tick.recordCount() * tick.samplePeriod);
    if (!bufferFull(tick)) {
        return;
    }
    result.rates = ratesOf(tick.control);
    result.stage = AddressStage::Rates;

    applyVectorChannel(tick, inputs.vectorChannel ? inputs.vectorChannel() : std::nullopt);
    evaluateActiveChannels(context, channelCount);
    buildLines(context, address, inputs, result);
    result.stage = AddressStage::Lines;

    if (inputs.saveEvery && saveCounter.advance(common::parseInt(inputs.saveEveryText))) {
        save(context.settings, inputs, result);
    }
    result.stage = AddressStage::Saved;

    if (inputs.partView) {
        result.partViewStep = common::parseDouble(inputs.partViewStepText);
    }
    result.stage = AddressStage::PartView;

    const int lineLimit = common::parseInt(inputs.lineLimitText);
    result.deleteFirstMemoLine =
        lineLimit != 0 && inputs.memoLineCount + result.memoLines.size() == lineLimit;
    result.stage = AddressStage::Limited;

    if (inputs.extraReport) {
        writeReport(inputs, reportNumber, result);
    }
    result.stage = AddressStage::Reported;
}

} // namespace

bool bufferFull(const acquisition::TickView& tick) {
    if (!tick.hasData()) {
        return false;
    }
    const double total = tick.recordCount() * tick.samplePeriod + 1.0 / common::kSecondsPerDay;
    return tick.table.record(tick.newestIndex()).timeStamp >= total;
}

AddressStepResult adresPomiaryN(ChannelContext& context, char address,
                                const AddressStepInputs& inputs, SaveCounter& saveCounter) {
    AddressStepResult result;
    try {
        runInOrder(context, address, inputs, saveCounter, result);
    } catch (const common::ConversionError& error) {
        result.conversionError = error;
    }
    return result;
}

} // namespace korvanta::monitor
