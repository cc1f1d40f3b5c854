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

QString dataLine(const ChannelContext& context, const MeasurementInputs& inputs, double startTime) {
    QString line = lineTimeText(context.settings.realTimeStamps(), inputs.now, startTime);
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

void save(const acquisition::SettingsRecord& settings, const MeasurementInputs& inputs,
          MeasurementResult& result, const QString& header) {
    result.saved = true;
    result.savePath = enterDataDirectory(settings.dataDirectory(), danFileName(inputs));
    QStringList lines;
    if (!QFileInfo::exists(result.savePath)) {
        lines << header;
    }
    lines << result.dataLine;
    result.saveFailure = common::appendLines(result.savePath, lines).reason();
}

// Only a channel computed in this step is corrected: an inactive one keeps its old value, which
// would drift by the offset at every step.
void applyOffsets(ChannelContext& context, const MeasurementInputs& inputs) {
    for (const ChannelOffset& o : inputs.offsets) {
        if (o.channel >= 1 && o.channel <= acquisition::SettingsRecord::kChannelCount &&
            context.settings.active(o.channel)) {
            context.values[static_cast<std::size_t>(o.channel - 1)] -= o.offset;
        }
    }
}

void runInOrder(ChannelContext& context, const MeasurementInputs& inputs, double startTime,
                SaveCounter& saveCounter, MeasurementResult& result) {
    common::setDecimalSeparator(QLatin1Char('.'));
    result.rates = ratesOf(context.tick.control);
    evaluateActiveChannels(context);
    applyOffsets(context, inputs);
    result.dataLine = dataLine(context, inputs, startTime);
    result.label55 =
        QStringLiteral("Current system: ") + addressText(context.tick.control.systemAddress());
    result.columnHeader = columnHeader(context.settings);
    const int period = common::parseInt(inputs.saveEveryText);
    if (inputs.saveEvery && saveCounter.advance(period)) {
        save(context.settings, inputs, result, inputs.fileDescription + result.columnHeader);
    }
    const int lineLimit = common::parseInt(inputs.lineLimitText);
    result.deleteFirstMemoLine = lineLimit != 0 && inputs.memoLineCount == lineLimit;
}

} // namespace

MeasurementResult runMeasurementStep(ChannelContext& context, const MeasurementInputs& inputs,
                                     double startTime, SaveCounter& saveCounter) {
    MeasurementResult result;
    try {
        runInOrder(context, inputs, startTime, saveCounter, result);
    } catch (const common::ConversionError& error) {
        result.conversionError = error;
    }
    return result;
}

} // namespace korvanta::monitor
