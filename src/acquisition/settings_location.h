#pragma once
// Where the settings file lives: the start directory, or the user's own for an installed program.

#include <QString>

namespace korvanta::acquisition {

// The directory of the settings file. While the program's own directory can be written (a program
// unpacked into a folder of its own) it is the start directory, where the settings have always
// been kept. An installed program's directory cannot be written and the desktop starts it wherever
// it likes, so its settings go to `userDirectory` (the user's data directory for the program),
// created here when missing; the start directory again when even that cannot be made.
QString settingsDirectoryFor(const QString& programDirectory, const QString& startDirectory,
                             const QString& userDirectory);

} // namespace korvanta::acquisition
