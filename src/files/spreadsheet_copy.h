#pragma once
// The copy of a data file a spreadsheet with Polish number settings reads: runs of spaces become
// one TAB, '.' becomes ',', line ends become LF.

#include <QString>

namespace korvanta::files {

// "pomiar.dan" gives "pomiar.dan.txt": the bare name followed by ".txt".
QString spreadsheetCopyName(const QString& sourceName);

enum class SpreadsheetCopyOutcome { Written, SourceMissing, CopyFailed };

// Converts `source` into `copy`. The copy is made only once the source opened, so a missing
// or unreadable source (SourceMissing) never replaces a good earlier copy; the copy is written
// through a save file, so a copy that cannot be written (CopyFailed) leaves an earlier one whole.
SpreadsheetCopyOutcome writeSpreadsheetCopy(const QString& source, const QString& copy);

// Which hand-off converts: ".dan" for "Excel.exe"; ".dan" or ".txt" for "scalc.exe" (exact case).
bool convertsForSpreadsheet(const QString& fileName, bool openOffice);

} // namespace korvanta::files
