#pragma once
// Format-float patterns and number parsing with the one process-wide decimal separator.

#include <QChar>
#include <QString>

namespace korvanta::common {

// The decimal separator used by every format and parse below ('.' or ',').
QChar decimalSeparator();
void setDecimalSeparator(QChar separator);
// The decimal separator of the user's locale: the one in force until a step sets another.
QChar localeDecimalSeparator();

// Formats a value with a pattern of the form [blanks][#...][0...][.0...#...], for example "##0.00",
// "#0.0000", ".0000", "0.000", "##0.0###", "  ##0.00". Rounds half away from zero; no grouping.
QString formatFloat(const QString& pattern, double value);

// The value with up to 15 significant digits, as the general float-to-text form.
QString formatGeneral(double value);

// The same digits with a '.' point and a lower-case exponent. The few values next to the largest
// double that would round up past it are rounded toward zero instead, so every text reads back.
QString generalText(double value);

// Parses a floating-point text with the current decimal separator (blanks around it allowed).
// Throws ConversionError when the text is not a number.
double parseDouble(const QString& text);

// Parses a decimal integer (blanks around it allowed). Throws ConversionError otherwise.
int parseInt(const QString& text);

// The conversion-error text shown for a text that is not a valid floating-point value.
QString notAFloatMessage(const QString& text);
// The conversion-error text shown for a text that is not a valid integer value.
QString notAnIntegerMessage(const QString& text);

} // namespace korvanta::common
