#include "files/raw_text.h"

#include "common/cp1250.h"

#include <QFile>
#include <algorithm>
#include <cstring>

namespace korvanta::files {
namespace {

constexpr qint64 kChunkBytes = 1 << 20;

bool isAscii(const QByteArray& bytes) {
    // No early exit, so the compiler can take many bytes per step.
    unsigned char any = 0;
    for (const char c : bytes) {
        any |= static_cast<unsigned char>(c);
    }
    return any < 0x80;
}

// The bytes of one chunk with every line end (CR LF, LF or CR) as one LF; `pendingCr` carries a
// CR that ended the previous chunk, so a CR LF split between two chunks still ends one line.
QByteArray withLineFeeds(const QByteArray& bytes, bool& pendingCr) {
    QByteArray out(bytes.size(), Qt::Uninitialized);
    char* to = out.data();
    const char* from = bytes.constData();
    const char* const end = from + bytes.size();
    if (pendingCr && from < end && *from == '\n') {
        ++from;
    }
    pendingCr = false;
    while (from < end) {
        const auto* cr = static_cast<const char*>(std::memchr(from, '\r', end - from));
        const char* stop = cr != nullptr ? cr : end;
        std::memcpy(to, from, static_cast<std::size_t>(stop - from));
        to += stop - from;
        if (cr == nullptr) {
            break;
        }
        *to++ = '\n';
        from = cr + 1;
        if (from == end) {
            pendingCr = true;
        } else if (*from == '\n') {
            ++from;
        }
    }
    out.truncate(to - out.constData());
    return out;
}

} // namespace

common::Result<RawText> readRawText(const QString& path, const LoadProgress& progress) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        return common::Result<RawText>::failure(common::fileFailure(path, file.errorString()));
    }
    const qint64 total = file.size();
    RawText raw;
    raw.text.reserve(static_cast<qsizetype>(std::min<qint64>(total, 1LL << 30)));
    bool pendingCr = false;
    while (!file.atEnd()) {
        const QByteArray chunk = file.read(kChunkBytes);
        if (chunk.isEmpty() && file.error() != QFileDevice::NoError) {
            return common::Result<RawText>::failure(common::fileFailure(path, file.errorString()));
        }
        const QByteArray lines = withLineFeeds(chunk, pendingCr);
        if (isAscii(lines)) {
            raw.text.append(QLatin1String(lines.constData(), lines.size()));
        } else {
            raw.text += common::fromCp1250(lines);
        }
        if (progress && !progress(file.pos(), total)) {
            raw.cancelled = !file.atEnd();
            break;
        }
    }
    if (raw.cancelled) {
        // A line cut off by the cancel is left out: the view shows whole lines only.
        raw.text.truncate(raw.text.lastIndexOf(QLatin1Char('\n')) + 1);
    }
    // The line break after the last line ends it; it adds no empty line.
    if (raw.text.endsWith(QLatin1Char('\n'))) {
        raw.text.chop(1);
    }
    raw.lines = raw.text.isEmpty() ? 0 : static_cast<int>(raw.text.count(QLatin1Char('\n'))) + 1;
    return raw;
}

} // namespace korvanta::files
