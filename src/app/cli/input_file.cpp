#include "app/cli/input_file.h"

#include "app/cli/command_end.h"
#include "files/linia1rq.h"

#include <QFileInfo>

namespace korvanta::app::cli {

common::Result<> checkInputFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        return common::Result<>::failure(common::fileFailure(path, QStringLiteral("no such file")));
    }
    if (info.isDir()) {
        return common::Result<>::failure(
            common::fileFailure(path, QStringLiteral("a directory, not a file")));
    }
    if (!info.isReadable()) {
        return common::Result<>::failure(common::fileFailure(path, QStringLiteral("not readable")));
    }
    return {};
}

common::Result<files::LoadedFile> loadInputFile(const QString& path) {
    if (auto readable = checkInputFile(path); !readable) {
        return common::Result<files::LoadedFile>::failure(readable.reason());
    }
    auto loaded = files::loadDataFile(path);
    if (loaded && loaded.value().longLine > 0) {
        warn(QStringLiteral("%1: line %2 is longer than %3 characters; the rest of the file "
                            "was not read")
                 .arg(path)
                 .arg(loaded.value().longLine)
                 .arg(files::Linia1RQ::kMaxLineLength));
    }
    return loaded;
}

} // namespace korvanta::app::cli
