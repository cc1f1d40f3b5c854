#include "files/loaded_file_builder.h"

#include "common/cp1250.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <sys/mman.h>

namespace korvanta::files {
namespace {

// Capacity left over by an estimate or by doubling is given back when it exceeds an eighth.
template <typename Container> void trim(Container& c) {
    if (c.capacity() - c.size() > c.size() / 8) {
        c.shrink_to_fit();
    }
}

void trimLabels(QStringList& labels) {
    if (labels.capacity() - labels.size() > labels.size() / 8) {
        labels.squeeze();
    }
}

// Large buffers filled right after they are reserved: huge pages spare the page faults, which
// cost as much as the parsing on a virtual machine.
void adviseHugePages(const void* data, std::size_t bytes) {
    constexpr std::uintptr_t kPage = 4096;
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + kPage - 1) & ~(kPage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(kPage - 1);
    if (end > begin) {
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
    }
}

void reserveValues(LoadedColumn& column, qsizetype lines) {
    column.values.reserve(static_cast<std::size_t>(lines));
    adviseHugePages(column.values.data(), column.values.capacity() * sizeof(float));
}

} // namespace

void LoadedFileBuilder::expectLines(qsizetype lines) {
    m_expectedLines = lines;
    m_labels.reserve(lines);
    adviseHugePages(m_labels.constData(),
                    static_cast<std::size_t>(m_labels.capacity()) * sizeof(QString));
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
    const auto lineIndex = static_cast<int>(m_labels.size());
    m_labels.append(label());
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

QString LoadedFileBuilder::label() const {
    const std::string_view date = m_parser.date();
    const std::string_view time = m_parser.time();
    char bytes[2 * Linia1RQ::kDateTimeLength + 1];
    std::copy(date.begin(), date.end(), bytes);
    bytes[date.size()] = ' ';
    std::copy(time.begin(), time.end(), bytes + date.size() + 1);
    return common::fromCp1250(std::string_view(bytes, date.size() + 1 + time.size()));
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
    trimLabels(m_labels);
    file.columns = std::move(m_columns);
    file.labels = std::make_shared<const QStringList>(std::move(m_labels));
    file.dataLines = m_parser.dataLineCount();
    file.lastValueCount = file.dataLines > 0 ? m_parser.valueCount() : 0;
    return file;
}

} // namespace korvanta::files
