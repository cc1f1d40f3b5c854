#include "files/raw_text.h"

#include "common/cp1250.h"

#include <QFile>
#include <algorithm>

namespace korvanta::files {
namespace {

constexpr qint64 kChunkBytes = 1 << 20;

QString decodeChunk(const QByteArray& bytes) {
    const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return ascii ? QString::fromLatin1(bytes) : common::fromCp1250(bytes);
}

// One '\n' for every line end, and none after the last line.
void normaliseLineEnds(QString& text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n'))) {
        text.chop(1);
    }
}

} // namespace

common::Result<RawText> readRawText(const QString& path, const LoadProgress& progress) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return common::Result<RawText>::failure(common::fileFailure(path, file.errorString()));
    }
    const qint64 total = file.size();
    RawText raw;
    raw.text.reserve(static_cast<qsizetype>(std::min<qint64>(total, 1LL << 30)));
    while (!file.atEnd()) {
        const QByteArray chunk = file.read(kChunkBytes);
        if (chunk.isEmpty() && file.error() != QFileDevice::NoError) {
            return common::Result<RawText>::failure(common::fileFailure(path, file.errorString()));
        }
        raw.text += decodeChunk(chunk);
        if (progress && !progress(file.pos(), total)) {
            raw.cancelled = !file.atEnd();
            break;
        }
    }
    if (raw.cancelled) {
        // A line cut off by the cancel is left out: the view shows whole lines only.
        const qsizetype lastEnd = std::max(raw.text.lastIndexOf(QLatin1Char('\n')),
                                           raw.text.lastIndexOf(QLatin1Char('\r')));
        raw.text.truncate(lastEnd + 1);
    }
    normaliseLineEnds(raw.text);
    raw.lines = raw.text.isEmpty() ? 0 : static_cast<int>(raw.text.count(QLatin1Char('\n'))) + 1;
    return raw;
}

} // namespace korvanta::files
