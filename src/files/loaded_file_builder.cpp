#include "files/loaded_file_builder.h"

#include "common/cp1250.h"
#include "common/huge_pages.h"

#include <algorithm>
#include <numeric>

namespace korvanta::files {
namespace {

// Capacity left over by an estimate or by doubling is given back when it exceeds an eighth.
template <typename Container> void trim(Container& c) {
    if (c.capacity() - c.size() > c.size() / 8) {
        c.shrink_to_fit();
    }
}

void reserveValues(LoadedColumn& column, qsizetype lines) {
    column.values.reserve(static_cast<std::size_t>(lines));
    common::adviseHugePages(column.values.data(), column.values.capacity() * sizeof(float));
}

} // namespace

void LoadedFileBuilder::expectLines(qsizetype lines) {
    m_expectedLines = lines;
    // The labels read so far tell how long one is.
    const auto count = static_cast<std::size_t>(std::max(m_labels.size(), 1));
    const std::size_t labelBytes = (m_labels.textBytes() + count - 1) / count;
    m_labels.reserve(static_cast<std::size_t>(lines), static_cast<std::size_t>(lines) * labelBytes);
    for (LoadedColumn& column : m_columns) {
        reserveValues(column, lines);
    }
}

void LoadedFileBuilder::takeLine(std::string_view line) {
    m_parser.parse(line);
    // Only the first line of a file can be its header.
    if (m_parser.valueCount() == 0) {
        m_parser.setValueCount(1);
    }
    if (!m_parser.dataLine()) {
        return;
    }
    const int lineIndex = m_labels.size();
    appendLabel();
    const int count = m_parser.valueCount();
    widenTo(count);
    for (int p = 0; p < count; ++p) {
        LoadedColumn& column = m_columns[static_cast<std::size_t>(p)];
        const float value = m_parser.value(p);
        if (column.lines.empty() && column.values.size() == static_cast<std::size_t>(lineIndex))
            [[likely]] {
            column.values.push_back(value);
        } else {
            addPoint(column, value, lineIndex);
        }
    }
}

// The label goes into the block as bytes; only a label with letters beyond ASCII is decoded.
void LoadedFileBuilder::appendLabel() {
    const std::string_view date = m_parser.date();
    const std::string_view time = m_parser.time();
    char bytes[2 * Linia1RQ::kDateTimeLength + 1];
    std::copy(date.begin(), date.end(), bytes);
    bytes[date.size()] = ' ';
    std::copy(time.begin(), time.end(), bytes + date.size() + 1);
    const std::string_view label(bytes, date.size() + 1 + time.size());
    const bool ascii = std::all_of(label.begin(), label.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii) {
        m_labels.append(label);
    } else {
        m_labels.append(common::fromCp1250(label));
    }
}

// Point i of a column comes from data line i until the column first misses a line (the
// common case is taken in takeLine); from then on the column keeps the line of each point.
void LoadedFileBuilder::addPoint(LoadedColumn& column, float value, int line) {
    if (column.lines.empty()) {
        column.lines.resize(column.values.size());
        std::iota(column.lines.begin(), column.lines.end(), 0);
    }
    column.lines.push_back(line);
    column.values.push_back(value);
}

void LoadedFileBuilder::widenTo(int columns) {
    while (static_cast<int>(m_columns.size()) < columns) {
        reserveValues(m_columns.emplace_back(), m_expectedLines);
    }
}

LoadedFile LoadedFileBuilder::finish() {
    LoadedFile file;
    file.description = m_parser.description();
    for (int k = 0; k < Linia1RQ::kNameCount; ++k) {
        file.names[static_cast<std::size_t>(k)] = m_parser.name(k);
    }
    for (LoadedColumn& column : m_columns) {
        trim(column.values);
        trim(column.lines);
    }
    m_labels.squeeze();
    file.columns = std::move(m_columns);
    file.labels = std::make_shared<const chart::LabelTexts>(std::move(m_labels));
    file.dataLines = m_parser.dataLineCount();
    file.lastValueCount = file.dataLines > 0 ? m_parser.valueCount() : 0;
    return file;
}

} // namespace korvanta::files
