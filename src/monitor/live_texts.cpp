#include "monitor/live_texts.h"

#include "common/day_time.h"

namespace korvanta::monitor {

QString lineTimeText(bool realTimeStamps, double now, double startTime) {
    return realTimeStamps ? common::formatDayTime(QStringLiteral("yyyy-mm-dd hh:mm:ss.zzz"), now)
                          : common::formatDayTime(QStringLiteral("hh:mm:ss.zzz"), now - startTime);
}

QString columnHeader(const acquisition::SettingsRecord& settings) {
    QString header;
    for (int k = 1; k <= acquisition::SettingsRecord::kChannelCount; ++k) {
        if (!settings.active(k)) {
            continue;
        }
        const QString label = settings.channelName(k);
        header += label.isEmpty() ? QStringLiteral(" k%1 ").arg(settings.channelNumber(k))
                                  : QLatin1Char(' ') + label;
    }
    return header;
}

} // namespace korvanta::monitor
