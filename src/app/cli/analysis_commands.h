#pragma once
// The commands on one column of a measurement file: spectrum and histogram, written as the
// analysis page's text files.

#include "app/cli/command_end.h"

#include <QStringList>

namespace korvanta::app::cli {

// Each takes the arguments after its own name.
CommandEnd runSpectrum(const QStringList& arguments);
CommandEnd runHistogram(const QStringList& arguments);

} // namespace korvanta::app::cli
