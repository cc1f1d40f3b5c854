// korvanta for a long run at full load: the acquisition program at 10,000 records a second with
// 32 inputs and a 200,000-record table, the real program monitoring 64 channels of mixed
// functions in Reports mode every 100 ms, with the live chart and a save every tick, for
// KORVANTA_SOAK_SECONDS of monitoring (600 when unset). Run under the sanitizers, any report ends
// the program with an error. The run must keep its memory, save every block once in order, and
// keep up with its timer.

#include "acquisition/settings_file.h"
#include "common/text_file.h"
#include "support/program_process.h"
#include "support/sim_process.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>
#include <vector>

namespace korvanta {
namespace {

constexpr int kChannels = 64;
constexpr double kPeriodS = 0.1;
// "START" begins monitoring this long after start-up.
constexpr int kStartDelayMs = 10000;
constexpr int kSettleMs = 60000;
#ifdef KORVANTA_SANITIZED
// AddressSanitizer's allocator keeps its own caches and shadow memory, which grow with the heap's
// churn beyond what the program holds: a seven-minute run grew by 13.5 % where the uninstrumented
// program under the same load stayed flat.
constexpr double kGrowthAllowed = 0.25;
#else
constexpr double kGrowthAllowed = 0.10;
#endif

int soakSeconds() {
    bool ok = false;
    const int seconds = qEnvironmentVariableIntValue("KORVANTA_SOAK_SECONDS", &ok);
    return ok && seconds > 0 ? seconds : 600;
}

// Means, RMS values, single-phase power, crest factors and medians over a fifth of a second.
acquisition::SettingsRecord soakSettings() {
    acquisition::SettingsRecord s;
    s.applyMissingFileDefaults();
    s.resetChannelDefaults(0);
    const int functions[] = {0, 3, 4, 12, 15};
    for (int k = 1; k <= kChannels; ++k) {
        s.setActive(k, true);
        s.setAddGraph(k, true);
        s.setChannelNumber(k, k);
        s.setFunctionIndex(k, functions[(k - 1) % 5]);
        s.setInputNumber(k, 1 + (k - 1) % 31);
        s.setBufferLength(k, 2000);
        s.setDecimalPlaces(k, 3);
    }
    s.setReportsMode(true);
    s.setRealTimeStamps(true);
    s.setPeriodText(QStringLiteral("00:00:00.100"));
    s.setSaveEvery(true);
    s.setSaveEveryText(QStringLiteral("1"));
    return s;
}

long residentKiB(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return -1;
}

// What the .dan file says about the run: its report blocks and their time stamps.
struct SavedBlocks {
    int blocks = 0;
    int malformed = 0; // blocks without exactly one line per channel
    int notRising = 0; // time stamps equal to or before the one before
    double firstS = 0;
    double lastS = 0;
    double longestGapS = 0;
    std::vector<double> stampsS;

    // The mean time between saves from `from` to `to` (shares of the run, 0..1).
    double meanInterval(double from, double to) const {
        const auto first = static_cast<std::size_t>(from * static_cast<double>(stampsS.size()));
        const auto last = static_cast<std::size_t>(to * static_cast<double>(stampsS.size() - 1));
        return last > first ? (stampsS[last] - stampsS[first]) / static_cast<double>(last - first)
                            : 0;
    }
};

SavedBlocks readBlocks(const QString& path) {
    SavedBlocks saved;
    const auto read = common::readLines(path);
    if (!read) {
        return saved;
    }
    double previous = -1;
    int channelLines = kChannels;
    const auto closeBlock = [&] {
        if (saved.blocks > 0 && channelLines != kChannels) {
            ++saved.malformed;
        }
    };
    for (const QString& line : read.value()) {
        if (line.startsWith(QStringLiteral("REPORT "))) {
            closeBlock();
            const QDateTime at = QDateTime::fromString(line.mid(7).trimmed(),
                                                       QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
            const double s = static_cast<double>(at.toMSecsSinceEpoch()) / 1000.0;
            if (saved.blocks == 0) {
                saved.firstS = s;
            } else {
                saved.notRising += s <= previous ? 1 : 0;
                saved.longestGapS = std::max(saved.longestGapS, s - previous);
            }
            previous = s;
            saved.lastS = s;
            saved.stampsS.push_back(s);
            ++saved.blocks;
            channelLines = 0;
        } else if (line.startsWith(QLatin1Char('k'))) {
            ++channelLines;
        }
    }
    closeBlock();
    return saved;
}

TEST(Soak, MonitoringAtFullLoadKeepsItsMemoryItsBlocksAndItsPace) {
    const int seconds = soakSeconds();
    testing::SimProcess sim(
        {QStringLiteral("--channels"), QStringLiteral("32"), QStringLiteral("--records"),
         QStringLiteral("200000"), QStringLiteral("--rate"), QStringLiteral("10000"),
         QStringLiteral("--sine"), QStringLiteral("1:230:50:0"), QStringLiteral("--sine"),
         QStringLiteral("2:5:50:30"), QStringLiteral("--dc"), QStringLiteral("5:12.5")});
    ASSERT_TRUE(sim.started());
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(acquisition::writeSettingsDump(dir.filePath(QStringLiteral("korvanta.bupas")),
                                               soakSettings()));
    // Under AddressSanitizer freed memory waits in a quarantine of 256 MiB by default, which
    // would fill through the whole run; a small one is full within the first minute.
    const QByteArray sanitizerOptions = qgetenv("ASAN_OPTIONS");
    qputenv("ASAN_OPTIONS", sanitizerOptions + ":quarantine_size_mb=16");
    testing::ProgramProcess program;
    const bool started = program.startIn(dir.path(), sim.prefix(), {QStringLiteral("START")});
    qputenv("ASAN_OPTIONS", sanitizerOptions);
    ASSERT_TRUE(started);
    const qint64 pid = program.processId();

    QTest::qWait(kStartDelayMs + kSettleMs);
    ASSERT_EQ(program.state(), QProcess::Running) << program.readAllStandardError().toStdString();
    const long settledKiB = residentKiB(pid);
    const double settledAtS = static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000.0;
    QTest::qWait(std::max(0, seconds * 1000 - kSettleMs));
    ASSERT_EQ(program.state(), QProcess::Running) << program.readAllStandardError().toStdString();
    const long finalKiB = residentKiB(pid);

    ::kill(static_cast<pid_t>(pid), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(60000));
    const QString errors = QString::fromLocal8Bit(program.readAllStandardError());
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << errors.toStdString();
    EXPECT_FALSE(errors.contains(QStringLiteral("Sanitizer"))) << errors.toStdString();
    EXPECT_FALSE(errors.contains(QStringLiteral("runtime error"))) << errors.toStdString();

    const SavedBlocks saved = readBlocks(dir.filePath(QStringLiteral("plik.dan")));
    const double spanS = saved.lastS - saved.firstS;
    const double meanIntervalS = saved.blocks > 1 ? spanS / (saved.blocks - 1) : 0;
    std::printf(
        "soak: %d s of monitoring; records published about %.0f (10,000 a second); ticks saved %d; "
        "memory %ld KiB after the first minute, %ld KiB at the end (%+.1f %%); "
        "mean tick interval %.1f ms (period %.0f ms, mean lag %.1f ms); longest gap "
        "%.0f ms\n",
        seconds, seconds * 10000.0, saved.blocks, settledKiB, finalKiB,
        settledKiB > 0 ? 100.0 * (finalKiB - settledKiB) / settledKiB : 0.0, meanIntervalS * 1000,
        kPeriodS * 1000, (meanIntervalS - kPeriodS) * 1000, saved.longestGapS * 1000);
    ASSERT_GT(settledKiB, 0);
    // The live chart keeps every point of the run by design; its vectors grow by doubling and the
    // allocator keeps the blocks they leave, so up to three times the points' bytes is theirs.
    const auto pointsAfterSettling =
        static_cast<double>(std::count_if(saved.stampsS.begin(), saved.stampsS.end(),
                                          [&](double s) { return s >= settledAtS; }) *
                            kChannels);
    const double chartKiB = 3 * pointsAfterSettling * 16 / 1024;
    std::printf("soak: the live chart's points after the first minute take up to %.0f KiB\n",
                chartKiB);
    EXPECT_LT(static_cast<double>(finalKiB),
              (1 + kGrowthAllowed) * static_cast<double>(settledKiB) + chartKiB);
    EXPECT_EQ(saved.malformed, 0);
    EXPECT_EQ(saved.notRising, 0);
#ifdef KORVANTA_SANITIZED
    // The unoptimised instrumented build computes several times slower than the program that is
    // shipped and cannot hold 100 ms; what it must show is that a long run does not fall further
    // behind: the last fifth of the run keeps the pace of the second.
    const double early = saved.meanInterval(0.2, 0.4);
    const double late = saved.meanInterval(0.8, 1.0);
    std::printf("soak: mean tick interval %.1f ms in the second fifth, %.1f ms in the last\n",
                early * 1000, late * 1000);
    EXPECT_GT(saved.blocks, static_cast<int>(seconds / kPeriodS / 20));
    EXPECT_LE(late, 1.25 * early + kPeriodS);
#else
    // Most of the run is saved, one block per tick, and on average a tick comes no more than one
    // period late.
    EXPECT_GT(saved.blocks, static_cast<int>(seconds / kPeriodS / 2));
    EXPECT_LE(meanIntervalS, 2 * kPeriodS);
#endif
}

} // namespace
} // namespace korvanta
