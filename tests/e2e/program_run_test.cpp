// The real program started with "START" against a real simulator: monitoring begins ten seconds
// after start-up and records what the simulator's signals should give.

#include "acquisition/settings_file.h"
#include "common/text_file.h"
#include "support/program_process.h"
#include "support/sim_process.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

using namespace korvanta;

namespace {

// Channels of the recording: k1 mean of a 12.5 DC level, k2 true power of a 230 V / 5 A pair
// with the current 60° behind, k3 its U, k4 its cos φ.
acquisition::SettingsRecord recordingSettings(bool reports) {
    acquisition::SettingsRecord s;
    s.applyMissingFileDefaults();
    s.resetChannelDefaults(0);
    const int functions[] = {0, 4, 7, 9};
    const int inputs[] = {5, 1, 1, 1};
    for (int k = 1; k <= 4; ++k) {
        s.setActive(k, true);
        s.setAddGraph(k, true);
        s.setFunctionIndex(k, functions[k - 1]);
        s.setInputNumber(k, inputs[k - 1]);
        s.setDecimalPlaces(k, 3);
        s.setChannelNumber(k, k);
    }
    s.setReportsMode(reports);
    s.setPeriodText(QStringLiteral("00:00:00.500"));
    return s;
}

class ProgramRun : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    // Starts `korvanta START` in the temporary directory and waits until `file` holds at least
    // `lines` lines, then ends the program with SIGTERM.
    QStringList runUntil(const korvanta::testing::SimProcess& sim, const QString& file, int lines) {
        EXPECT_TRUE(m_program.startIn(m_dir.path(), sim.prefix(), {QStringLiteral("START")}));
        QStringList content;
        QElapsedTimer elapsed;
        elapsed.start();
        while (elapsed.elapsed() < 30000) {
            QThread::msleep(200);
            const auto read = common::readLines(m_dir.filePath(file));
            if (read) {
                content = read.value();
            }
            if (content.size() >= lines) {
                break;
            }
        }
        firstDataAfterMs = elapsed.elapsed();
        ::kill(static_cast<pid_t>(m_program.processId()), SIGTERM);
        EXPECT_TRUE(m_program.waitForFinished(10000));
        return content;
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    korvanta::testing::ProgramProcess m_program;
    qint64 firstDataAfterMs = 0;
};

const QStringList kSignals = {
    QStringLiteral("--channels"), QStringLiteral("8"),          QStringLiteral("--rate"),
    QStringLiteral("1000"),       QStringLiteral("--records"),  QStringLiteral("2000"),
    QStringLiteral("--sine"),     QStringLiteral("1:230:50:0"), QStringLiteral("--sine"),
    QStringLiteral("2:5:50:-60"), QStringLiteral("--dc"),       QStringLiteral("5:12.5")};

std::vector<double> values(const QString& line, int skip) {
    std::vector<double> out;
    const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (int i = skip; i < words.size(); ++i) {
        out.push_back(words[i].toDouble());
    }
    return out;
}

} // namespace

TEST_F(ProgramRun, StartRecordsMeasurementsAfterTenSeconds) {
    korvanta::testing::SimProcess sim(kSignals);
    ASSERT_TRUE(sim.started());
    ASSERT_TRUE(acquisition::writeSettingsDump(path("korvanta.bupas"), recordingSettings(false)));

    const QStringList lines = runUntil(sim, QStringLiteral("plik.dan"), 4);
    ASSERT_GE(lines.size(), 4) << "no recording";
    EXPECT_GE(firstDataAfterMs, 9000) << "monitoring began before the ten seconds";
    EXPECT_EQ(lines[0], "opis_pliku k1  k2  k3  k4 ");
    for (int i = 1; i < lines.size(); ++i) {
        // "yyyy-mm-dd hh:mm:ss.zzz" then four values: the automatic start uses elapsed time
        // unless real time stamps are set, so the time is one word here.
        const std::vector<double> v = values(lines[i], 1);
        ASSERT_EQ(v.size(), 4U) << lines[i].toStdString();
        EXPECT_NEAR(v[0], 12.5, 0.01);
        EXPECT_NEAR(v[2], 230.0, 1.0);
        EXPECT_NEAR(v[3], 0.488, 0.02);
        EXPECT_NEAR(v[1], 230.0 * 5.0 * v[3], 15.0);
    }
    acquisition::SettingsRecord saved;
    EXPECT_TRUE(acquisition::readSettingsDump(path("korvanta.bupas"), saved));
    EXPECT_TRUE(saved.saveEvery()) << "the automatic start checks saving";
}

TEST_F(ProgramRun, StartRecordsReportsAfterTenSeconds) {
    korvanta::testing::SimProcess sim(kSignals);
    ASSERT_TRUE(sim.started());
    ASSERT_TRUE(acquisition::writeSettingsDump(path("korvanta.bupas"), recordingSettings(true)));

    const QStringList lines = runUntil(sim, QStringLiteral("plik.dan"), 7);
    ASSERT_GE(lines.size(), 7) << "no recording";
    EXPECT_EQ(lines[0], "opis_pliku k1  k2  k3  k4 ");
    EXPECT_TRUE(lines[1].startsWith("REPORT "));
    ASSERT_TRUE(lines[2].startsWith("k1 ŚREDNIA  ")) << lines[2].toStdString();
    EXPECT_NEAR(values(lines[2], 2)[0], 12.5, 0.01);
    ASSERT_TRUE(lines[4].startsWith("k3 U  "));
    EXPECT_NEAR(values(lines[4], 2)[0], 230.0, 1.0);
    ASSERT_TRUE(lines[5].startsWith("k4 cos fi  "));
    EXPECT_NEAR(values(lines[5], 3)[0], 0.488, 0.02);
    EXPECT_TRUE(lines[6].isEmpty());
}
