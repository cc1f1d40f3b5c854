#include "files/spreadsheet_copy.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace korvanta::files {
namespace {

constexpr qint64 kBlockSize = qint64(1) << 20;

// The conversion runs over blocks; a run of spaces or a CR LF may span two of them.
struct CopyConversion {
    bool inSpaces = false;
    bool afterCarriageReturn = false;

    // Converts `size` bytes into `out`, which has room for as many; returns the bytes written.
    qint64 convert(const char* in, qint64 size, char* out) {
        char* const start = out;
        for (qint64 i = 0; i < size; ++i) {
            const char c = in[i];
            if (c == '\n' && afterCarriageReturn) {
                afterCarriageReturn = false;
                continue;
            }
            afterCarriageReturn = c == '\r';
            if (c == ' ') {
                if (!inSpaces) {
                    *out++ = '\t';
                }
                inSpaces = true;
                continue;
            }
            inSpaces = false;
            *out++ = c == '.' ? ',' : (c == '\r' ? '\n' : c);
        }
        return out - start;
    }
};

} // namespace

QString spreadsheetCopyName(const QString& sourceName) {
    return QFileInfo(sourceName).fileName() + QStringLiteral(".txt");
}

SpreadsheetCopyOutcome writeSpreadsheetCopy(const QString& source, const QString& copy) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        return SpreadsheetCopyOutcome::SourceMissing;
    }
    QSaveFile out(copy);
    if (!out.open(QIODevice::WriteOnly)) {
        return SpreadsheetCopyOutcome::CopyFailed;
    }
    CopyConversion conversion;
    QByteArray block(kBlockSize, Qt::Uninitialized);
    QByteArray converted(kBlockSize, Qt::Uninitialized);
    for (;;) {
        const qint64 n = in.read(block.data(), kBlockSize);
        if (n < 0) {
            out.cancelWriting();
            return SpreadsheetCopyOutcome::SourceMissing;
        }
        if (n == 0) {
            break;
        }
        const qint64 size = conversion.convert(block.constData(), n, converted.data());
        if (out.write(converted.constData(), size) != size) {
            out.cancelWriting();
            return SpreadsheetCopyOutcome::CopyFailed;
        }
    }
    return out.commit() ? SpreadsheetCopyOutcome::Written : SpreadsheetCopyOutcome::CopyFailed;
}

bool convertsForSpreadsheet(const QString& fileName, bool openOffice) {
    const QString name = QFileInfo(fileName).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot < 0 ? QString() : name.mid(dot);
    return extension == QLatin1String(".dan") || (openOffice && extension == QLatin1String(".txt"));
}

} // namespace korvanta::files
