#pragma once
// Fetching a web address into a local file, blocking, behind one seam so tests can use a local
// server or a double.

#include <QString>
#include <QUrl>

namespace korvanta::platform {

enum class DownloadStatus {
    Done,         // the whole body is in the file
    NotPublished, // the server answered that there is no such file (404 or 410)
    Failed,       // anything else: no connection, a refused certificate, a cut transfer, ...
};

struct DownloadOutcome {
    DownloadStatus status = DownloadStatus::Failed;
    QString reason; // what went wrong, for the user; empty when done

    bool done() const { return status == DownloadStatus::Done; }
};

class Download {
public:
    virtual ~Download() = default;
    // Fetches `url` into `path`. The file appears, replacing one of that name, only when the whole
    // body arrived; otherwise nothing is written there.
    virtual DownloadOutcome toFile(const QUrl& url, const QString& path) = 0;
};

} // namespace korvanta::platform
