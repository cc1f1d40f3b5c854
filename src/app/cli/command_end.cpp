#include "app/cli/command_end.h"

#include <cstdio>

namespace korvanta::app::cli {

void warn(const QString& message) {
    std::fprintf(stderr, "korvanta-cli: %s\n", message.toLocal8Bit().constData());
}

int finish(const CommandEnd& end) {
    if (!end.message.isEmpty()) {
        warn(end.message);
    }
    std::fflush(stdout);
    return static_cast<int>(end.status);
}

} // namespace korvanta::app::cli
