// libFuzzer target over the loading of a measurement file from disk: the bytes are written to a
// file and read by the file loader, whose blocks, line splitting and end of file must give exactly
// what the loader of bytes in memory gives. A failure to read the file or any difference aborts.

#include "files/data_file_loader.h"
#include "fuzz_checks.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace korvanta::files;

namespace {

using korvanta::fuzz::require;

QString writeInput(const std::uint8_t* data, std::size_t size) {
    static const QTemporaryDir directory;
    require(directory.isValid());
    const QString path = directory.filePath(QStringLiteral("input.dan"));
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    require(file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) ==
            static_cast<qint64>(size));
    return path;
}

bool sameColumn(const LoadedColumn& a, const LoadedColumn& b) {
    // Bit for bit, so NaN values compare as well.
    return a.values.size() == b.values.size() && a.lines == b.lines &&
           std::memcmp(a.values.data(), b.values.data(), a.values.size() * sizeof(float)) == 0;
}

void requireSame(const LoadedFile& fromDisk, const LoadedFile& fromMemory) {
    require(fromDisk.description == fromMemory.description);
    require(fromDisk.names == fromMemory.names);
    require(fromDisk.columns.size() == fromMemory.columns.size());
    for (std::size_t i = 0; i < fromDisk.columns.size(); ++i) {
        require(sameColumn(fromDisk.columns[i], fromMemory.columns[i]));
    }
    require(fromDisk.labels != nullptr && fromMemory.labels != nullptr);
    require(*fromDisk.labels == *fromMemory.labels);
    require(fromDisk.lastValueCount == fromMemory.lastValueCount);
    require(fromDisk.dataLines == fromMemory.dataLines);
    require(fromDisk.longLine == fromMemory.longLine);
    require(!fromDisk.cancelled && !fromMemory.cancelled);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto fromDisk = loadDataFile(writeInput(data, size));
    require(fromDisk.ok());
    const LoadedFile fromMemory =
        loadDataBytes(QByteArrayView(reinterpret_cast<const char*>(data), size));
    requireSame(fromDisk.value(), fromMemory);
    return 0;
}
