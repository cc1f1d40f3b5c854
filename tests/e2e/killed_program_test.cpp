// The real program killed (SIGKILL) at the worst moments, many times at random delays: while it
// writes the settings file on closing, and while it appends to its .dan file at a fast period.
// The settings file must always be the old or the new complete file; the .dan file must never
// hold a line that the loader reads as a wrong value.

#include "acquisition/settings_file.h"
#include "files/data_file_loader.h"
#include "support/program_process.h"
#include "support/sim_process.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <array>
#include <cmath>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>
#include <random>

namespace korvanta {
namespace {

constexpr int kCases = 30;
constexpr int kParallel = 15;
constexpr qint64 kSettingsFileBytes = 61640;
constexpr int kAutoStartMs = 10000; // "START" begins monitoring ten seconds after start-up
constexpr double kLevel = 12.5;     // input 5
constexpr double kRms = 230.0;      // input 1

const QStringList kSignals = {QStringLiteral("--channels"), QStringLiteral("8"),
                              QStringLiteral("--rate"),     QStringLiteral("1000"),
                              QStringLiteral("--records"),  QStringLiteral("2000"),
                              QStringLiteral("--dc"),       QStringLiteral("5:12.5"),
                              QStringLiteral("--sine"),     QStringLiteral("1:230:50:0")};

// k1 the mean of input 5, k2 the RMS value of input 1, recorded every `period`. The program changes
// two fields of it at start-up (dynamic mode off, input 0 of channel 20 becomes 1), so the file
// it saves on closing differs from this one.
acquisition::SettingsRecord settings(const QString& period) {
    acquisition::SettingsRecord s;
    s.applyMissingFileDefaults();
    s.resetChannelDefaults(0);
    const int functions[] = {0, 3};
    const int inputs[] = {5, 1};
    for (int k = 1; k <= 2; ++k) {
        s.setActive(k, true);
        s.setFunctionIndex(k, functions[k - 1]);
        s.setInputNumber(k, inputs[k - 1]);
        s.setDecimalPlaces(k, 3);
        s.setChannelNumber(k, k);
    }
    s.setInputNumber(20, 0);
    s.setDynamicMode(true);
    s.setPeriodText(period);
    return s;
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeContent(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// True once the program has put its own handler on SIGTERM (the caught-signal mask in /proc).
bool catchesTermination(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) {
        return false;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:")) {
            const qulonglong mask = line.mid(7).trimmed().toULongLong(nullptr, 16);
            return (mask >> (SIGTERM - 1) & 1U) != 0;
        }
    }
    return false;
}

bool waitUntilCatchingTermination(qint64 pid) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < 10000) {
        if (catchesTermination(pid)) {
            return true;
        }
        QThread::msleep(10);
    }
    return false;
}

void signal(const testing::ProgramProcess& program, int number) {
    ::kill(static_cast<pid_t>(program.processId()), number);
}

struct Slot {
    QTemporaryDir dir;
    testing::ProgramProcess program;

    QString settingsPath() const { return dir.filePath(QStringLiteral("korvanta.bupas")); }
    QString danPath() const { return dir.filePath(QStringLiteral("plik.dan")); }
};

class KilledProgram : public ::testing::Test {
protected:
    void SetUp() override {
        m_sim = std::make_unique<testing::SimProcess>(kSignals);
        ASSERT_TRUE(m_sim->started());
    }

    std::unique_ptr<testing::SimProcess> m_sim;
    std::mt19937 m_random{20261209};
};

TEST_F(KilledProgram, WhileSavingTheSettingsFileItIsTheOldOrTheNewWholeFile) {
    Slot clean;
    ASSERT_TRUE(clean.dir.isValid());
    const acquisition::SettingsRecord before = settings(QStringLiteral("00:00:00.500"));
    ASSERT_TRUE(acquisition::writeSettingsDump(clean.settingsPath(), before));
    const QByteArray oldFile = contentOf(clean.settingsPath());
    ASSERT_EQ(oldFile.size(), kSettingsFileBytes);

    // A clean close gives the new file, and how long closing takes.
    ASSERT_TRUE(clean.program.startIn(clean.dir.path(), m_sim->prefix()));
    ASSERT_TRUE(waitUntilCatchingTermination(clean.program.processId()));
    QThread::msleep(300);
    QElapsedTimer closing;
    closing.start();
    signal(clean.program, SIGTERM);
    ASSERT_TRUE(clean.program.waitForFinished(10000));
    const qint64 closeMs = std::max<qint64>(closing.elapsed(), 5);
    const QByteArray newFile = contentOf(clean.settingsPath());
    ASSERT_EQ(newFile.size(), kSettingsFileBytes);
    ASSERT_NE(newFile, oldFile) << "the closing path saved nothing new; the kills prove nothing";

    std::array<Slot, kParallel> programs;
    int oldKept = 0;
    int newWhole = 0;
    int torn = 0;
    for (int round = 0; round < kCases / kParallel; ++round) {
        for (Slot& slot : programs) {
            ASSERT_TRUE(writeContent(slot.settingsPath(), oldFile));
            ASSERT_TRUE(slot.program.startIn(slot.dir.path(), m_sim->prefix()));
        }
        // Saving comes at the end of closing: most kills fall in its second half.
        std::uniform_int_distribution<qint64> delay(closeMs / 2, closeMs + closeMs / 4);
        for (Slot& slot : programs) {
            ASSERT_TRUE(waitUntilCatchingTermination(slot.program.processId()));
        }
        QThread::msleep(300);
        for (Slot& slot : programs) {
            signal(slot.program, SIGTERM);
            QThread::usleep(static_cast<unsigned long>(delay(m_random) * 1000));
            signal(slot.program, SIGKILL);
            slot.program.waitForFinished(10000);
            const QByteArray now = contentOf(slot.settingsPath());
            oldKept += now == oldFile ? 1 : 0;
            newWhole += now == newFile ? 1 : 0;
            torn += now != oldFile && now != newFile ? 1 : 0;
            EXPECT_TRUE(now == oldFile || now == newFile)
                << "round " << round << ": " << now.size() << " bytes, neither old nor new";
        }
    }
    // A save cut short leaves its temporary file beside the settings file, never in its place.
    qsizetype leftovers = 0;
    for (const Slot& slot : programs) {
        leftovers +=
            QDir(slot.dir.path())
                .entryList({QStringLiteral("korvanta.bupas?*")}, QDir::Files | QDir::Hidden)
                .size();
    }
    std::printf("settings file killed while saving: %d cases (closing takes %lld ms), old file "
                "kept %d, new file whole %d, torn %d; new settings lost %d; temporary files "
                "left %lld\n",
                kCases, static_cast<long long>(closeMs), oldKept, newWhole, torn, oldKept,
                static_cast<long long>(leftovers));
}

TEST_F(KilledProgram, WhileAppendingToTheDanFileNoLineReadsAsAWrongValue) {
    std::array<Slot, kParallel> programs;
    for (Slot& slot : programs) {
        ASSERT_TRUE(slot.dir.isValid());
        ASSERT_TRUE(acquisition::writeSettingsDump(slot.settingsPath(),
                                                   settings(QStringLiteral("00:00:00.020"))));
    }
    // Each program is killed at a random moment within a second after its file first grows,
    // so that every kill falls among the appends whatever the load on the machine.
    std::uniform_int_distribution<int> delay(0, 1000);
    int cases = 0;
    for (int round = 0; round < kCases / kParallel; ++round) {
        std::vector<qint64> sizeAtStart;
        std::vector<qint64> killAt(programs.size(), -1);
        for (Slot& slot : programs) {
            sizeAtStart.push_back(QFileInfo(slot.danPath()).size());
            ASSERT_TRUE(
                slot.program.startIn(slot.dir.path(), m_sim->prefix(), {QStringLiteral("START")}));
        }
        QElapsedTimer clock;
        clock.start();
        int running = kParallel;
        while (running > 0 && clock.elapsed() < kAutoStartMs + 20000) {
            QThread::msleep(2);
            for (std::size_t i = 0; i < programs.size(); ++i) {
                if (killAt[i] < 0 && QFileInfo(programs[i].danPath()).size() > sizeAtStart[i]) {
                    killAt[i] = clock.elapsed() + delay(m_random);
                } else if (killAt[i] >= 0 && clock.elapsed() >= killAt[i] &&
                           programs[i].program.state() == QProcess::Running) {
                    signal(programs[i].program, SIGKILL);
                    programs[i].program.waitForFinished(10000);
                    --running;
                    ++cases;
                }
            }
        }
        ASSERT_EQ(running, 0) << "a program recorded nothing in round " << round;
    }

    int lines = 0;
    int tornLines = 0;
    for (const Slot& slot : programs) {
        const QByteArray bytes = contentOf(slot.danPath());
        ASSERT_FALSE(bytes.isEmpty()) << "nothing recorded before the kills";
        const QList<QByteArray> raw = bytes.split('\n');
        // A line cut off by a kill lacks its CR LF; what it held is lost.
        for (qsizetype i = 0; i + 1 < raw.size(); ++i) {
            tornLines += raw[i].endsWith('\r') ? 0 : 1;
        }
        tornLines += raw.last().isEmpty() ? 0 : 1;
        const auto loaded = files::loadDataFile(slot.danPath());
        ASSERT_TRUE(loaded) << loaded.reason().toStdString();
        const files::LoadedFile& file = loaded.value();
        ASSERT_EQ(file.columns.size(), 2U) << slot.danPath().toStdString();
        for (const float v : file.columns[0].values) {
            EXPECT_NEAR(v, kLevel, 0.01) << slot.danPath().toStdString();
        }
        for (const float v : file.columns[1].values) {
            EXPECT_NEAR(v, kRms, 1.0) << slot.danPath().toStdString();
        }
        EXPECT_EQ(file.columns[0].values.size(), file.columns[1].values.size());
        lines += file.dataLines;
    }
    std::printf(".dan file killed while appending every 20 ms: %d cases, %d value lines loaded, "
                "%d torn lines (data lost)\n",
                cases, lines, tornLines);
}

} // namespace
} // namespace korvanta
