#include "app/cli/text_output.h"

#include "common/result.h"

#include <QFile>
#include <QSaveFile>
#include <cstdio>

namespace korvanta::app::cli {
namespace {

CommandEnd writeToStandardOutput(const std::function<bool(QIODevice&)>& write) {
    std::fflush(stdout);
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly) || !write(out) || !out.flush()) {
        return CommandEnd::writeFailed(QStringLiteral("cannot write to standard output: ") +
                                       out.errorString());
    }
    return CommandEnd::done();
}

CommandEnd writeToFile(const QString& path, const std::function<bool(QIODevice&)>& write) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !write(file) || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return CommandEnd::writeFailed(common::fileFailure(path, reason));
    }
    return CommandEnd::done();
}

} // namespace

CommandEnd writeResult(const QString& outPath, const std::function<bool(QIODevice&)>& write) {
    return outPath.isEmpty() ? writeToStandardOutput(write) : writeToFile(outPath, write);
}

} // namespace korvanta::app::cli
