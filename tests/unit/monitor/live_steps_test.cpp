#include "common/conversion_error.h"
#include "common/day_time.h"
#include "monitor/measurement_step.h"
#include "monitor/report_step.h"
#include "unit/monitor/monitor_table.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korvanta::monitor {
namespace {

using testing::MonitorChannels;
using testing::MonitorTable;

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Channel 1: mean of input 1 (1.25), two decimals, no label. Channel 2: mean of input 2 (3),
// four decimals, label "V". Sampling every 10 ms, system address 'B'.
class LiveStep : public ::testing::Test {
protected:
    void SetUp() override {
        m_previousDirectory = QDir::currentPath();
        ASSERT_TRUE(m_dir.isValid());
        QDir(m_dir.path()).mkdir(QStringLiteral("dane"));
        m_table.fill(1, [](int) { return 1.25; });
        m_table.fill(2, [](int) { return 3.0; });
        m_table.control().setSystemAddress('B');
        m_channels.channel(1, Mean, 1, 0, 2);
        m_channels.channel(2, Mean, 2, 0, 4);
        m_channels.settings->setChannelName(2, QStringLiteral("V"));
        session().startNewMeasurement(46215.5);
        m_inputs.now = 46215.5 + 3723.456 / 86400; // 01:02:03.456 later
        m_inputs.saveEvery = true;
        m_inputs.saveEveryText = QStringLiteral("3");
        m_inputs.fileName = QStringLiteral("plik");
        m_inputs.fileDescription = QStringLiteral("opis_pliku");
        m_channels.settings->setDataDirectory(m_dir.path() + QStringLiteral("\\dane\\"));
        m_inputs.lineLimitText = QStringLiteral("0");
    }
    void TearDown() override { QDir::setCurrent(m_previousDirectory); }

    MonitoringSession& session() { return *m_channels.session; }
    MeasurementResult measure() { return session().measure(m_table.view(), m_inputs); }
    QString danPath(const QString& name) const { return m_dir.path() + "/dane/" + name; }

    QTemporaryDir m_dir;
    QString m_previousDirectory;
    MonitorTable m_table{10, 0, 0.01 / 86400};
    MonitorChannels m_channels;
    MeasurementInputs m_inputs;
};

TEST_F(LiveStep, MeasurementLabelsLineAndHeader) {
    const MeasurementResult r = measure();
    EXPECT_EQ(r.rates.frequencyText, QStringLiteral("100.00Hz"));
    EXPECT_EQ(r.rates.frequencyEdit, QStringLiteral("100"));
    EXPECT_EQ(r.rates.bufferSizeText, QStringLiteral("10"));
    EXPECT_EQ(r.dataLine, QStringLiteral("01:02:03.456 1.25 ")); // four decimals: blank only
    EXPECT_EQ(r.label55, QStringLiteral("Current system: B"));
    EXPECT_EQ(r.columnHeader, QStringLiteral(" k1  V"));
    EXPECT_FALSE(r.saved);

    m_table.control().setSamplePeriod(0);
    m_channels.settings->setRealTimeStamps(true);
    m_inputs.now = common::toDayNumber(QDateTime(QDate(2026, 7, 12), QTime(14, 30, 5)));
    const MeasurementResult real = measure();
    EXPECT_EQ(real.rates.frequencyText, QStringLiteral("---.--"));
    EXPECT_FALSE(real.rates.frequencyEdit.has_value());
    EXPECT_EQ(real.dataLine, QStringLiteral("2026-07-12 14:30:05.000 1.25 "));
}

TEST_F(LiveStep, MeasurementSavesEveryPeriodIntoTheDataDirectory) {
    EXPECT_FALSE(measure().saved);
    EXPECT_FALSE(measure().saved);
    const MeasurementResult first = measure();
    ASSERT_TRUE(first.saved);
    EXPECT_FALSE(first.saveFailed());
    EXPECT_EQ(first.savePath, danPath("plik.dan"));
    EXPECT_EQ(QDir::currentPath(), m_dir.path() + "/dane");
    // A new file holds its header and this save's line.
    EXPECT_EQ(fileBytes(first.savePath), "opis_pliku k1  V\r\n01:02:03.456 1.25 \r\n");
    measure();
    measure();
    measure();
    EXPECT_EQ(fileBytes(first.savePath),
              "opis_pliku k1  V\r\n01:02:03.456 1.25 \r\n01:02:03.456 1.25 \r\n");

    m_inputs.addressFileBase = QStringLiteral("A");
    m_inputs.saveEveryText = QStringLiteral("1");
    m_inputs.now = common::toDayNumber(QDateTime(QDate(2026, 7, 12), QTime(14, 30, 5)));
    EXPECT_EQ(measure().savePath, danPath("A202607.dan"));

    // A missing data directory is made, with its parents.
    m_channels.settings->setDataDirectory(m_dir.path() + "/missing/deeper/");
    const MeasurementResult made = measure();
    EXPECT_FALSE(made.saveFailed()) << made.saveFailure.toStdString();
    EXPECT_EQ(fileBytes(m_dir.path() + "/missing/deeper/A202607.dan"),
              "opis_pliku k1  V\r\n" + made.dataLine.toLatin1() + "\r\n");

    // One that cannot be made (a file stands in its way) fails the save, with the reason.
    QFile blocker(m_dir.path() + "/blocker");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    m_channels.settings->setDataDirectory(m_dir.path() + "/blocker/dane/");
    const MeasurementResult failed = measure();
    EXPECT_TRUE(failed.saved);
    EXPECT_TRUE(failed.saveFailed());
    EXPECT_TRUE(failed.saveFailure.startsWith(QStringLiteral("A202607.dan")))
        << failed.saveFailure.toStdString();
}

TEST(SaveCounter, SavesOnlyWhenTheCountEqualsThePeriod) {
    SaveCounter counter;
    EXPECT_FALSE(counter.advance(3));
    EXPECT_FALSE(counter.advance(3));
    EXPECT_TRUE(counter.advance(3));
    EXPECT_EQ(counter.value(), 0);
    EXPECT_TRUE(counter.advance(1));
    for (int tick = 0; tick < 5; ++tick) {
        EXPECT_FALSE(counter.advance(0));
        EXPECT_FALSE(counter.advance(-1));
    }
    counter.reset();
    counter.advance(5);
    counter.advance(5);
    for (int tick = 0; tick < 5; ++tick) {
        EXPECT_FALSE(counter.advance(1)); // lowered below the count: never equal again
    }
}

TEST_F(LiveStep, MeasurementLineLimitAndConversionErrors) {
    m_inputs.saveEvery = false;
    m_inputs.lineLimitText = QStringLiteral("3");
    m_inputs.memoLineCount = 3;
    EXPECT_TRUE(measure().deleteFirstMemoLine);
    m_inputs.memoLineCount = 4;
    EXPECT_FALSE(measure().deleteFirstMemoLine);
    m_inputs.lineLimitText = QStringLiteral("0");
    m_inputs.memoLineCount = 0;
    EXPECT_FALSE(measure().deleteFirstMemoLine);

    EXPECT_FALSE(measure().conversionError.has_value());

    // Edit9 is read even with saving off; what came before stays available.
    m_inputs.saveEveryText = QStringLiteral("x");
    const MeasurementResult partial = measure();
    ASSERT_TRUE(partial.conversionError.has_value());
    EXPECT_TRUE(partial.conversionError->message().contains(QStringLiteral("x")));
    EXPECT_EQ(partial.label55, QStringLiteral("Current system: B"));
    EXPECT_EQ(partial.dataLine, QStringLiteral("01:02:03.456 1.25 "));

    m_inputs.saveEveryText = QStringLiteral("1");
    m_inputs.saveEvery = true;
    m_inputs.lineLimitText = QStringLiteral("abc");
    const MeasurementResult saved = measure();
    EXPECT_TRUE(saved.conversionError.has_value());
    EXPECT_TRUE(saved.saved);
}

QStringList reportNames() {
    return {QStringLiteral("ŚREDNIA"), QStringLiteral("SUMA2"), QStringLiteral("RÓŻNICA")};
}

TEST_F(LiveStep, ReportLines) {
    m_channels.settings->setChannelNote(1, QStringLiteral("uwaga"));
    m_channels.channel(3, CosPhi, 0, 0, 2);
    m_channels.channel(4, Crest, 0, 0, 7); // no name in the list, no value
    const acquisition::TickView tick = m_table.view();
    const ReportInputs inputs{m_inputs.now, false, reportNames()};
    const QStringList lines = session().report(tick, inputs);
    EXPECT_EQ(lines,
              (QStringList{QStringLiteral("REPORT 01:02:03.456"),
                           QStringLiteral("k1 ŚREDNIA  1.25    uwaga"),
                           QStringLiteral("k2 ŚREDNIA    V  "),
                           QStringLiteral("k3 cos fi  1.00    "), QStringLiteral("k4       ")}));
    m_channels.settings->setActive(1, false);
    m_channels.settings->setActive(2, false);
    m_channels.settings->setActive(3, false);
    m_channels.settings->setActive(4, false);
    EXPECT_EQ(session().report(tick, inputs), QStringList{QStringLiteral("REPORT 01:02:03.456")});
}

TEST_F(LiveStep, ReportBlocksWithOneLineEndEach) {
    const QStringList block{QStringLiteral("REPORT 01:02:03.456"), QStringLiteral("k1 x  1.25")};
    ReportSaveInputs inputs{true, true, QStringLiteral("2"), QStringLiteral("plik"),
                            QStringLiteral("opis_pliku")};
    EXPECT_FALSE(session().saveReport(inputs, block).saved);
    const ReportSaveResult first = session().saveReport(inputs, block);
    ASSERT_TRUE(first.saved);
    EXPECT_EQ(first.columnHeader, QStringLiteral(" k1  V"));
    EXPECT_EQ(first.savePath, danPath("plik.dan"));
    EXPECT_EQ(fileBytes(first.savePath),
              "opis_pliku k1  V\r\nREPORT 01:02:03.456\r\nk1 x  1.25\r\n\r\n");
    session().saveReport(inputs, block);
    session().saveReport(inputs, block);
    EXPECT_EQ(fileBytes(first.savePath), "opis_pliku k1  V\r\nREPORT 01:02:03.456\r\nk1 x  "
                                         "1.25\r\n\r\nREPORT 01:02:03.456\r\nk1 x  1.25\r\n\r\n");

    // Edit9 is read only when saving in Reports mode.
    inputs.saveEveryText = QStringLiteral("?");
    inputs.reportsSelected = false;
    EXPECT_FALSE(session().saveReport(inputs, block).saved);
    inputs.reportsSelected = true;
    inputs.saveEvery = false;
    EXPECT_FALSE(session().saveReport(inputs, block).saved);
    inputs.saveEvery = true;
    EXPECT_THROW(session().saveReport(inputs, block), common::ConversionError);
}

} // namespace
} // namespace korvanta::monitor
