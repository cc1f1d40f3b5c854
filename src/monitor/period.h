#pragma once
// The measurement period: seconds of an "hh:mm:ss.zzz" text and the timer interval from them.

#include <QString>
#include <optional>

namespace korvanta::monitor {

// Seconds of the first 12 characters read at fixed positions (hh at 1-2, mm at 4-5, ss at 7-8,
// zzz at 10-12), each digit its 8-bit character code minus '0'; separators are not checked.
// A position beyond the end of a shorter text counts as the digit 0.
double konwersjaDoSekExecute(const QString& text);

// f = 1 / seconds as a double, then 1000 / f in 64-bit-mantissa extended precision with the
// fraction dropped (0.3 s gives 299 ms). 0 when the quotient is not a positive number; at most
// the largest int.
int timerIntervalFromPeriod(double seconds);

// The timer interval of a period text whose first 12 characters have the form "hh:mm:ss.zzz"
// (digits and the ':' ':' '.' separators) and whose interval is at least 1 ms; otherwise nothing,
// and the timer must stay off rather than run at interval 0.
std::optional<int> monitoringInterval(const QString& periodText);

} // namespace korvanta::monitor
