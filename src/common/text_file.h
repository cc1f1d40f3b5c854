#pragma once
// 8-bit (code page 1250) text files with CR LF line ends.

#include "common/result.h"

#include <QString>
#include <QStringList>

namespace korvanta::common {

// Appends each line followed by CR LF; creates the file when missing. Fails with the file's
// name and the system's reason when it cannot be opened or written.
Result<> appendLines(const QString& path, const QStringList& lines);

// Writes the file whole (through a save file, so a failed write leaves the old file in place).
Result<> writeLines(const QString& path, const QStringList& lines);

// Reads all lines (CR LF or LF ends; a last line without an end counts).
Result<QStringList> readLines(const QString& path);

} // namespace korvanta::common
