#include "monitor/measurement_step.h"

#include "common/cp1250.h"
#include "common/day_time.h"
#include "common/number_format.h"
#include "common/text_file.h"
#include "monitor/data_directory.h"
#include "monitor/live_texts.h"
#include "monitor/value_format.h"

#include <QFileInfo>
#include <QStringList>

namespace korvanta::monitor {
namespace {

void showRates(const acquisition::ControlBlock& control, MeasurementResult& result) {
    result.frequencyText = control.frequencyText();
    if (control.samplePeriod() != 0) {
        result.frequencyEdit = common::formatGeneral(control.frequencyHz());
    }
    result.bufferSizeText = QString::number(control.recordCount());
}

QString dataLine(const ChannelContext& context, const MeasurementInputs& inputs) {
    QString line = lineTimeText(inputs.realTimeStamps, inputs.now, inputs.startTime);
    for (int k = 1; k <= acquisition::SettingsRecord::kChannelCount; ++k) {
        if (context.settings.active(k)) {
            line += QLatin1Char(' ');
            Formatuj(line, context.settings.decimalPlaces(k),
                     context.values[static_cast<std::size_t>(k - 1)]);
        }
    }
    return line;
}

QString addressText(char address) {
    return address == '\0' ? QString() : common::fromCp1250(QByteArray(1, address));
}

QString danFileName(const MeasurementInputs& inputs) {
    if (inputs.addressFileBase.isEmpty()) {
        return inputs.fileName + QStringLiteral(".dan");
    }
    return inputs.addressFileBase + common::formatDayTime(QStringLiteral("yyyymm"), inputs.now) +
           QStringLiteral(".dan");
}

void save(const MeasurementInputs& inputs, MeasurementResult& result, const QString& header) {
    result.saved = true;
    result.savePath = enterDataDirectory(inputs.dataDirectory, danFileName(inputs));
    QStringList lines;
    if (!QFileInfo::exists(result.savePath)) {
        lines << header;
    }
    lines << result.dataLine;
    result.saveFailed = !common::appendLines(result.savePath, lines);
}

} // namespace

void runMeasurementStep(ChannelContext& context, const MeasurementInputs& inputs,
                        SaveCounter& saveCounter, MeasurementResult& result) {
    common::setDecimalSeparator(QLatin1Char('.'));
    showRates(context.tick.control, result);
    evaluateActiveChannels(context);
    result.dataLine = dataLine(context, inputs);
    result.label55 =
        QStringLiteral("Current system: ") + addressText(context.tick.control.systemAddress());
    result.columnHeader = columnHeader(context.settings);
    const int period = common::parseInt(inputs.saveEveryText);
    if (inputs.saveEvery && saveCounter.advance(period)) {
        save(inputs, result, inputs.fileDescription + result.columnHeader);
    }
    const int lineLimit = common::parseInt(inputs.lineLimitText);
    result.deleteFirstMemoLine = lineLimit != 0 && inputs.memoLineCount == lineLimit;
}

} // namespace korvanta::monitor
