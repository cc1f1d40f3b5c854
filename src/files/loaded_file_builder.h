#pragma once
// Collects the points of a measurement file line by line, as the chart loader adds them: one
// label per data line, one value per column of the line.

#include "files/data_file_loader.h"
#include "files/linia1rq.h"

#include <string_view>
#include <vector>

namespace korvanta::files {

class LoadedFileBuilder {
public:
    // Room for about this many data lines, so that the columns and labels grow once.
    void expectLines(qsizetype lines);
    // Parses one line; a data line adds its label and a point to each of its columns.
    void takeLine(std::string_view line);
    int dataLines() const { return m_parser.dataLineCount(); }
    // The loaded file; the builder is spent afterwards.
    LoadedFile finish();

private:
    void appendLabel();
    void addPoint(LoadedColumn& column, float value, int line);
    void widenTo(int columns);

    Linia1RQ m_parser;
    std::vector<LoadedColumn> m_columns;
    chart::LabelTexts m_labels;
    qsizetype m_expectedLines = 0;
};

} // namespace korvanta::files
