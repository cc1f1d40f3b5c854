#pragma once
// The commands on a measurement file: info, spreadsheet and csv.

#include "app/cli/command_end.h"

#include <QStringList>

namespace korvanta::app::cli {

// Each takes the arguments after its own name.
CommandEnd runInfo(const QStringList& arguments);
CommandEnd runSpreadsheet(const QStringList& arguments);
CommandEnd runCsv(const QStringList& arguments);

} // namespace korvanta::app::cli
