#pragma once
// Reading and showing the numbers of the bench-test edits: an empty text stores nothing, and the
// loads, steps and displacements are typed with a decimal comma.

#include <QString>
#include <optional>

namespace korvanta::bench {

// Sets the process-wide decimal separator to ',' first, then parses; none for an empty text.
// Throws common::ConversionError for any other text that is not a number.
std::optional<double> parseCommaDouble(const QString& text);
// Parses with the decimal separator in force; none for an empty text.
std::optional<double> parseCurrentDouble(const QString& text);
// None for an empty text; throws common::ConversionError for a text that is not an integer.
std::optional<int> parseOptionalInt(const QString& text);

// A stored double as the comma edits show it (up to 15 significant digits, decimal comma).
QString commaText(double value);

} // namespace korvanta::bench
