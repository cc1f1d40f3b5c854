#pragma once
// The dump-buffer command: the acquisition program's data table written as "Save bufer.." does.

#include "app/cli/command_end.h"

#include <QStringList>

namespace korvanta::app::cli {

// Takes the arguments after the command's name; prints the written file's path.
CommandEnd runDumpBuffer(const QStringList& arguments);

} // namespace korvanta::app::cli
