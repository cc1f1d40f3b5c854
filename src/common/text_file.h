#pragma once
// 8-bit (code page 1250) text files with CR LF line ends.

#include <QString>
#include <QStringList>

namespace korvanta::common {

// Appends each line followed by CR LF; creates the file when missing. False when the file
// cannot be opened or written.
bool appendLines(const QString& path, const QStringList& lines);

// Writes the file whole (through a save file, so a failed write leaves the old file in place).
bool writeLines(const QString& path, const QStringList& lines);

// Reads all lines (CR LF or LF ends; a last line without an end counts). False on open failure.
bool readLines(const QString& path, QStringList& lines);

} // namespace korvanta::common
