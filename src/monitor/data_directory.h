#pragma once
// Where the live steps' data files go: the data directory of the settings record.

#include <QString>

namespace korvanta::monitor {

// Makes the data directory the current directory when it exists (the file dialogs open from
// there) and returns the absolute path of `fileName` inside it. Either separator is accepted;
// an empty directory means the current one. The path does not depend on the change of
// directory succeeding, so a missing directory makes the save fail instead of writing elsewhere.
QString enterDataDirectory(const QString& dataDirectory, const QString& fileName);

} // namespace korvanta::monitor
