// korvanta-sim: publishes the shared blocks of the acquisition program for running and testing
// korvanta without the measuring hardware.

#include "acquisition_run.h"
#include "shared_blocks.h"
#include "sim_options.h"

#include <QFile>
#include <QStringList>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

namespace {

volatile std::sig_atomic_t g_stopRequested = 0;

void requestStop(int) {
    g_stopRequested = 1;
}

void installSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void printError(const QString& text) {
    std::fprintf(stderr, "korvanta-sim: %s\n", text.toLocal8Bit().constData());
}

bool writeReadyFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write("ready\n") == 6;
}

using Clock = std::chrono::steady_clock;

void run(korvanta::simulator::AcquisitionRun& acquisition, double durationS,
         Clock::time_point start) {
    constexpr auto kWakeInterval = std::chrono::milliseconds(10);
    while (g_stopRequested == 0 && !acquisition.closeRequested()) {
        std::this_thread::sleep_for(kWakeInterval);
        const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        if (durationS > 0 && elapsed >= durationS) {
            return;
        }
        acquisition.wake(elapsed);
    }
}

} // namespace

int main(int argc, char** argv) {
    using namespace korvanta::simulator;
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const ParsedOptions parsed = parseSimOptions(arguments);
    if (parsed.help) {
        std::fputs(usageText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (!parsed.error.isEmpty()) {
        printError(parsed.error + QStringLiteral(" (see --help)"));
        return 2;
    }
    const SimOptions& options = parsed.options;
    installSignalHandlers();
    QString error;
    const auto blocks = SharedBlocks::create(options.prefix, options.records, error);
    if (!blocks) {
        printError(error);
        return 1;
    }
    const Clock::time_point start = Clock::now();
    AcquisitionRun acquisition(options, *blocks);
    acquisition.start();
    if (!options.readyFile.isEmpty() && !writeReadyFile(options.readyFile)) {
        printError(QStringLiteral("cannot write the ready file ") + options.readyFile);
        return 1;
    }
    run(acquisition, options.durationS, start);
    if (options.hostileRandomSeed) {
        std::printf("korvanta-sim: hostile values written: %lld\n",
                    static_cast<long long>(acquisition.hostileValuesWritten()));
        std::fflush(stdout);
    }
    return 0;
}
