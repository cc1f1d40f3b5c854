#include "chart/ui/day_time_ticker.h"

#include "common/day_time.h"

namespace korvanta::chart::ui {

QString DayTimeTicker::getTickLabel(double tick, const QLocale& locale, QChar formatChar,
                                    int precision) {
    if (!m_dayTimes) {
        return QCPAxisTicker::getTickLabel(tick, locale, formatChar, precision);
    }
    return common::formatDayTime(QStringLiteral("hh:nn:ss"), tick);
}

} // namespace korvanta::chart::ui
