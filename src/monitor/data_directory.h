#pragma once
// Where the live steps' data files go: the data directory of the settings record.

#include <QString>

namespace korvanta::monitor {

// Makes the data directory the current directory (the file dialogs open from there), creating it
// with its parents when it is missing, and returns the absolute path of `fileName` inside it.
// Either separator is accepted; an empty directory means the current one. The path does not
// depend on the directory being made, so a directory that cannot be made fails the save instead
// of writing elsewhere.
QString enterDataDirectory(const QString& dataDirectory, const QString& fileName);

} // namespace korvanta::monitor
