#pragma once
// A loaded measurement file as RFC 4180 CSV: a header row "label" and the column names, then one
// row per data line with its label and one cell per column, empty where the line has no value.

#include "files/data_file_loader.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

namespace korvanta::files {

// The shortest '.'-decimal text that reads back to the same 32-bit float.
QByteArray csvNumber(float value);

// The text as one CSV field (UTF-8): quoted, with its quotes doubled, when it holds a comma, a
// quote, a CR or a LF.
QByteArray csvField(const QString& text);

// Writes the whole file, rows ending in CR LF. False when the device takes not all of it.
bool writeCsv(const LoadedFile& file, QIODevice& out);

} // namespace korvanta::files
