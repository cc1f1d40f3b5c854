#pragma once
// A measurement file read whole for the text view: its lines unchanged, as the file holds them.

#include "common/result.h"
#include "files/data_file_loader.h"

#include <QString>

namespace korvanta::files {

struct RawText {
    QString text;           // the lines joined by '\n', without a line break after the last
    int lines = 0;          // lines in `text`
    bool cancelled = false; // the progress callback stopped the read; whole lines read so far stay
};

// Reads the file (code page 1250; CR LF, LF and CR all end a line). Fails with the reason, naming
// the file, when it cannot be opened or read.
common::Result<RawText> readRawText(const QString& path, const LoadProgress& progress = {});

} // namespace korvanta::files
