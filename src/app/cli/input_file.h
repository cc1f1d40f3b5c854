#pragma once
// The measurement file a command reads: checked first, so that a missing file, a directory or an
// unreadable file each get a line of their own, then loaded as the chart loader does.

#include "common/result.h"
#include "files/data_file_loader.h"

#include <QString>

namespace korvanta::app::cli {

// Why the file cannot be read, naming it; ok when it is a readable file.
common::Result<> checkInputFile(const QString& path);

// The file loaded as the window loads it. A line longer than 999 characters ends the reading as
// there and is reported on standard error; what was read before it stays.
common::Result<files::LoadedFile> loadInputFile(const QString& path);

} // namespace korvanta::app::cli
