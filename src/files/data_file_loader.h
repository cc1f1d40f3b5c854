#pragma once
// Turns a measurement text file into chart data: the file's description and column names, the
// values of each column and one label per data line shared by every column.

#include "chart/label_texts.h"
#include "common/result.h"
#include "files/linia1rq.h"

#include <QByteArrayView>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace korvanta::files {

// One column of a loaded file: the points of series p in the order of the lines. Point i sits at
// X = i. `lines` is empty when point i comes from data line i (every line had the column);
// otherwise lines[i] is the data line of point i, so its label is labels[lines[i]].
struct LoadedColumn {
    std::vector<float> values;
    std::vector<int> lines;

    int lineOf(int point) const {
        return lines.empty() ? point : lines[static_cast<std::size_t>(point)];
    }
};

struct LoadedFile {
    QString description;                             // first word of the header line
    std::array<QString, Linia1RQ::kNameCount> names; // column names
    std::vector<LoadedColumn> columns;               // at most 32, only those with points
    // Per data line: date + " " + time, one block that the chart's series share.
    std::shared_ptr<const chart::LabelTexts> labels;
    int lastValueCount = 0; // the parser's value count after the last line (the bar count);
                            // 0 when the file has no data line
    int dataLines = 0;
    int longLine = 0;       // 1-based number of a line over 999 characters that ended the read
    bool cancelled = false; // the progress callback asked to stop; what was read stays
};

// Called every few MB with the bytes read and the file's size; false stops the load.
using LoadProgress = std::function<bool(qint64 done, qint64 total)>;

// Reads the file as the chart loader does. A file that cannot be opened fails with the reason;
// a file without data lines loads no column.
common::Result<LoadedFile> loadDataFile(const QString& path, const LoadProgress& progress = {});

// The same for the bytes of a whole file already in memory.
LoadedFile loadDataBytes(QByteArrayView bytes, const LoadProgress& progress = {});

} // namespace korvanta::files
