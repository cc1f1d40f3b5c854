#pragma once
// Day-number date-times (days since 1899-12-30 local time, time of day as the fraction) and the
// date-time format patterns the program writes.

#include <QDateTime>
#include <QString>

namespace korvanta::common {

constexpr double kSecondsPerDay = 86400.0;
constexpr double kMillisecondsPerDay = 86400000.0;

// Local date-time to day number and back.
double toDayNumber(const QDateTime& local);
QDateTime fromDayNumber(double dayNumber);

// Formats a day number with a pattern made of yyyy, yy, mm, m, dd, d, hh, h, nn, n, ss, s, zzz
// and literal characters; "mm"/"m" right after an hour token means minutes. A count of repeated
// letters above two is read as two (so "sss" shows two-digit seconds). The time is rounded to
// whole milliseconds first. Negative values are formatted by their magnitude.
QString formatDayTime(const QString& pattern, double dayNumber);

} // namespace korvanta::common
