#pragma once
// Helpers of the acquisition end-to-end tests: waiting on a live simulator and looking at its
// blocks.

#include "acquisition/acquisition_link.h"

#include <QString>
#include <QThread>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <limits>
#include <sys/mman.h>
#include <unistd.h>

namespace korvanta::testing {

// Polls `condition` every `pollMs` for up to `ms`; true as soon as it holds.
inline bool waitUntil(const std::function<bool()>& condition, int ms = 5000, int pollMs = 10) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        QThread::msleep(static_cast<unsigned long>(pollMs));
    }
    return true;
}

// True when neither block of `prefix` exists any more.
inline bool blocksGone(const QString& prefix) {
    for (const char* name : {acquisition::AcquisitionLink::kControlBlockName,
                             acquisition::AcquisitionLink::kDataTableName}) {
        const QByteArray path = (QLatin1Char('/') + prefix + QLatin1String(name)).toLocal8Bit();
        const int fd = shm_open(path.constData(), O_RDONLY, 0);
        if (fd >= 0) {
            close(fd);
            return false;
        }
    }
    return true;
}

// Input `input` (1..32) of the newest complete record; NaN without data.
inline double newestValue(const acquisition::AcquisitionLink& link, int input) {
    const acquisition::TickView view = link.tick();
    if (!view.hasData()) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    return view.table.record(view.newestIndex()).values[input - 1];
}

} // namespace korvanta::testing
