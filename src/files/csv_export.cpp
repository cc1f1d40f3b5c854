#include "files/csv_export.h"

#include <charconv>
#include <vector>

namespace korvanta::files {
namespace {

constexpr qsizetype kChunkBytes = qsizetype(1) << 20;

// Walks one column along the data lines: the column's next point belongs to a later line or to
// this one, as the points are in the order of the lines.
struct ColumnCursor {
    const LoadedColumn* column;
    std::size_t point = 0;

    const float* valueAt(int line) {
        if (point < column->values.size() && column->lineOf(static_cast<int>(point)) == line) {
            return &column->values[point++];
        }
        return nullptr;
    }
};

QByteArray headerRow(const LoadedFile& file) {
    QByteArray row("label");
    for (std::size_t p = 0; p < file.columns.size(); ++p) {
        row += ',';
        row += csvField(file.names[p]);
    }
    return row + "\r\n";
}

bool flush(QIODevice& out, QByteArray& chunk) {
    const bool written = out.write(chunk) == chunk.size();
    chunk.clear();
    return written;
}

} // namespace

QByteArray csvNumber(float value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return QByteArray(text, end - text);
}

QByteArray csvField(const QString& text) {
    QByteArray bytes = text.toUtf8();
    if (!bytes.contains(',') && !bytes.contains('"') && !bytes.contains('\r') &&
        !bytes.contains('\n')) {
        return bytes;
    }
    bytes.replace("\"", "\"\"");
    return '"' + bytes + '"';
}

bool writeCsv(const LoadedFile& file, QIODevice& out) {
    std::vector<ColumnCursor> cursors;
    for (const LoadedColumn& column : file.columns) {
        cursors.push_back({&column});
    }
    QByteArray chunk = headerRow(file);
    chunk.reserve(kChunkBytes + 4096);
    const qsizetype lines = file.labels ? file.labels->size() : 0;
    for (qsizetype line = 0; line < lines; ++line) {
        chunk += csvField(file.labels->at(line));
        for (ColumnCursor& cursor : cursors) {
            chunk += ',';
            if (const float* value = cursor.valueAt(static_cast<int>(line))) {
                chunk += csvNumber(*value);
            }
        }
        chunk += "\r\n";
        if (chunk.size() >= kChunkBytes && !flush(out, chunk)) {
            return false;
        }
    }
    return flush(out, chunk);
}

} // namespace korvanta::files
