#pragma once
// What a loaded measurement file holds, as "name: value" lines: its description, the column
// names, the number of data lines, the largest value count, and the first and last line's label.

#include "files/data_file_loader.h"

#include <QStringList>

namespace korvanta::files {

// The names are those of the columns the chart shows (one per value of the widest line),
// separated by single spaces.
QStringList fileSummary(const LoadedFile& file);

} // namespace korvanta::files
