#pragma once
// The two number forms of a buffer dump line, written straight into a byte buffer: the elapsed
// time "nn:ss.zzz" and an input value ".0000". A dump holds millions of them, so they are built
// with integer arithmetic; each gives exactly the text of the general formatters.

namespace korvanta::monitor {

// Longest text either function writes.
constexpr int kDumpFieldMax = 64;

// Writes `days` (a time difference; its magnitude is shown) as "nn:ss.zzz": minutes within the
// hour, seconds and milliseconds, rounded to whole milliseconds. Returns the end of the text.
char* appendElapsedTime(char* out, double days);

// Writes `value` as the pattern ".0000" does: rounded half away from zero to four decimals, no
// integer digit when it is 0, a minus only when a digit is not 0, `separator` as the point.
// Returns the end of the text.
char* appendFourDecimals(char* out, float value, char separator);

} // namespace korvanta::monitor
