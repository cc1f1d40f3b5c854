#include "common/day_time.h"

#include <cmath>
#include <cstdint>

namespace korvanta::common {
namespace {

const QDate kEpoch(1899, 12, 30);

struct Parts {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

Parts decode(double dayNumber) {
    const double magnitude = std::fabs(dayNumber);
    auto totalMs = static_cast<std::int64_t>(std::llround(magnitude * kMillisecondsPerDay));
    const std::int64_t msPerDay = 86400000;
    const std::int64_t days = totalMs / msPerDay;
    std::int64_t ms = totalMs % msPerDay;
    Parts p;
    const QDate date = kEpoch.addDays(dayNumber < 0 ? -days : days);
    p.year = date.year();
    p.month = date.month();
    p.day = date.day();
    p.hour = static_cast<int>(ms / 3600000);
    ms %= 3600000;
    p.minute = static_cast<int>(ms / 60000);
    ms %= 60000;
    p.second = static_cast<int>(ms / 1000);
    p.millisecond = static_cast<int>(ms % 1000);
    return p;
}

QString number(int value, int width) {
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

} // namespace

double toDayNumber(const QDateTime& local) {
    const QDate date = local.date();
    const QTime time = local.time();
    const double days = static_cast<double>(kEpoch.daysTo(date));
    const double fraction = time.msecsSinceStartOfDay() / kMillisecondsPerDay;
    return days >= 0 ? days + fraction : days - fraction;
}

QDateTime fromDayNumber(double dayNumber) {
    const Parts p = decode(dayNumber);
    return QDateTime(QDate(p.year, p.month, p.day),
                     QTime(p.hour, p.minute, p.second, p.millisecond));
}

QString formatDayTime(const QString& pattern, double dayNumber) {
    const Parts p = decode(dayNumber);
    QString out;
    bool afterHour = false;
    for (int i = 0; i < pattern.size();) {
        const QChar c = pattern[i].toLower();
        int count = 1;
        while (i + count < pattern.size() && pattern[i + count].toLower() == c) {
            ++count;
        }
        const int width = count >= 2 ? 2 : 1;
        switch (c.toLatin1()) {
        case 'y':
            out += count <= 2 ? number(p.year % 100, 2) : number(p.year, 4);
            break;
        case 'm':
            out += afterHour ? number(p.minute, width) : number(p.month, width);
            afterHour = false;
            break;
        case 'd':
            out += number(p.day, width);
            break;
        case 'h':
            out += number(p.hour, width);
            afterHour = true;
            break;
        case 'n':
            out += number(p.minute, width);
            break;
        case 's':
            out += number(p.second, width);
            break;
        case 'z':
            out += count >= 3 ? number(p.millisecond, 3) : QString::number(p.millisecond);
            break;
        default:
            out += pattern.mid(i, count);
            break;
        }
        i += count;
    }
    return out;
}

} // namespace korvanta::common
