#include "files/data_file_loader.h"

#include "files/line_splitter.h"
#include "files/loaded_file_builder.h"

#include <QFile>
#include <algorithm>
#include <new>

namespace korvanta::files {
namespace {

constexpr qint64 kBlockSize = qint64(1) << 20;
// A file that grows while it is read is still read to its end, a smaller block at a time.
constexpr qint64 kSmallestBlock = qint64(64) << 10;
constexpr qint64 kProgressStep = qint64(4) << 20;

// One read of a file: blocks in, lines out to the builder, progress reported between blocks.
struct LoadRun {
    explicit LoadRun(qint64 size, const LoadProgress& report) : total(size), progress(report) {}

    // False when the reading has ended: a long line, or the progress callback said stop.
    bool feed(std::string_view block) {
        splitter.feed(block);
        while (const auto line = splitter.next()) {
            builder.takeLine(*line);
        }
        done += static_cast<qint64>(block.size());
        if (!reserved) {
            reserveForWholeFile();
        }
        if (done >= nextReport) {
            nextReport = done + kProgressStep;
            cancelled = progress && !progress(done, total);
        }
        return !splitter.stopped() && !cancelled;
    }

    // The first block tells how long a line is; the size of the file then tells how many there
    // are, so the columns and labels are allocated once.
    void reserveForWholeFile() {
        reserved = true;
        const int lines = builder.dataLines();
        if (lines > 0 && total > done) {
            const double perByte = static_cast<double>(lines) / static_cast<double>(done);
            builder.expectLines(
                static_cast<qsizetype>(perByte * static_cast<double>(total) * 1.02) + 16);
        }
    }

    LoadedFile finish() {
        if (!splitter.stopped() && !cancelled) {
            if (const auto line = splitter.finish()) {
                builder.takeLine(*line);
            }
        }
        LoadedFile file = builder.finish();
        file.longLine = splitter.longLine();
        file.cancelled = cancelled;
        return file;
    }

    LineSplitter splitter{Linia1RQ::kMaxLineLength};
    LoadedFileBuilder builder;
    qint64 total;
    qint64 done = 0;
    qint64 nextReport = kProgressStep;
    const LoadProgress& progress;
    bool reserved = false;
    bool cancelled = false;
};

common::Result<LoadedFile> readFile(QFile& file, const QString& path,
                                    const LoadProgress& progress) {
    LoadRun run(file.size(), progress);
    const qint64 blockSize = std::clamp(file.size() + 1, kSmallestBlock, kBlockSize);
    QByteArray block(blockSize, Qt::Uninitialized);
    for (;;) {
        const qint64 n = file.read(block.data(), blockSize);
        if (n < 0) {
            return common::Result<LoadedFile>::failure(
                common::fileFailure(path, file.errorString()));
        }
        if (n == 0 || !run.feed(std::string_view(block.constData(), static_cast<std::size_t>(n)))) {
            break;
        }
    }
    return run.finish();
}

} // namespace

LoadedFile loadDataBytes(QByteArrayView bytes, const LoadProgress& progress) {
    LoadRun run(bytes.size(), progress);
    for (qint64 start = 0; start < bytes.size(); start += kBlockSize) {
        const qint64 n = std::min(kBlockSize, bytes.size() - start);
        if (!run.feed(std::string_view(bytes.data() + start, static_cast<std::size_t>(n)))) {
            break;
        }
    }
    return run.finish();
}

common::Result<LoadedFile> loadDataFile(const QString& path, const LoadProgress& progress) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        return common::Result<LoadedFile>::failure(common::fileFailure(path, file.errorString()));
    }
    try {
        return readFile(file, path, progress);
    } catch (const std::bad_alloc&) {
        return common::Result<LoadedFile>::failure(
            common::fileFailure(path, QStringLiteral("not enough memory to load the file")));
    }
}

} // namespace korvanta::files
