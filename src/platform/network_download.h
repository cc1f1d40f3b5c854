#pragma once
// Downloads over HTTPS with QtNetwork, blocking on a local event loop.

#include "platform/download.h"

#include <chrono>

namespace korvanta::platform {

// Only "https" addresses are fetched, with the system's certificate checks; when the environment
// variable SSL_CERT_FILE names a PEM file, its certificates are trusted as well (Qt does not read
// that variable itself), which is how a company or a test adds its own authority. A transfer that
// moves no data for `stallTimeout` is given up. User input is held back while the loop runs, so
// the window repaints but no second click starts anything.
class NetworkDownload : public Download {
public:
    static constexpr std::chrono::milliseconds kDefaultStallTimeout{30000};

    explicit NetworkDownload(std::chrono::milliseconds stallTimeout = kDefaultStallTimeout);

    DownloadOutcome toFile(const QUrl& url, const QString& path) override;

private:
    std::chrono::milliseconds m_stallTimeout;
};

} // namespace korvanta::platform
