#include "monitor/report_step.h"

#include "common/number_format.h"
#include "common/text_file.h"
#include "monitor/data_directory.h"
#include "monitor/live_texts.h"
#include "monitor/value_format.h"

#include <QFileInfo>

namespace korvanta::monitor {
namespace {

QString functionName(int code, const QStringList& functionNames) {
    return code == CosPhi ? QStringLiteral("cos fi") : functionNames.value(code);
}

QString channelLine(const ChannelContext& context, int k, const QStringList& functionNames) {
    const acquisition::SettingsRecord& s = context.settings;
    QString line = QStringLiteral("k%1 ").arg(s.channelNumber(k)) +
                   functionName(s.functionIndex(k), functionNames) + QStringLiteral("  ");
    Formatuj(line, s.decimalPlaces(k), context.values[static_cast<std::size_t>(k - 1)]);
    return line + QStringLiteral("  ") + s.channelName(k) + QStringLiteral("  ") + s.channelNote(k);
}

} // namespace

QStringList buildReport(ChannelContext& context, const ReportInputs& inputs, double startTime) {
    evaluateActiveChannels(context);
    QStringList lines{QStringLiteral("REPORT ") +
                      lineTimeText(context.settings.realTimeStamps(), inputs.now, startTime)};
    for (int k = 1; k <= acquisition::SettingsRecord::kChannelCount; ++k) {
        if (context.settings.active(k)) {
            lines << channelLine(context, k, inputs.functionNames);
        }
    }
    return lines;
}

ReportSaveResult saveReport(const acquisition::SettingsRecord& settings,
                            const ReportSaveInputs& inputs, const QStringList& memoLines,
                            SaveCounter& saveCounter) {
    ReportSaveResult result;
    result.columnHeader = columnHeader(settings);
    if (!inputs.reportsSelected || !inputs.saveEvery) {
        return result;
    }
    const int period = common::parseInt(inputs.saveEveryText);
    if (!saveCounter.advance(period)) {
        return result;
    }
    result.saved = true;
    result.savePath = enterDataDirectory(settings.dataDirectory(), inputs.fileName + ".dan");
    QStringList lines;
    if (!QFileInfo::exists(result.savePath)) {
        lines << inputs.fileDescription + result.columnHeader;
    }
    lines << memoLines << QString();
    result.saveFailure = common::appendLines(result.savePath, lines).reason();
    return result;
}

} // namespace korvanta::monitor
