#pragma once
// Where a command's text result goes: the file named by -o, written whole (a failed write leaves
// no part of a file), or standard output when no file is named.

#include "app/cli/command_end.h"

#include <QIODevice>
#include <QString>
#include <functional>

namespace korvanta::app::cli {

// `write` puts the result on the device and says whether all of it was taken.
CommandEnd writeResult(const QString& outPath, const std::function<bool(QIODevice&)>& write);

} // namespace korvanta::app::cli
