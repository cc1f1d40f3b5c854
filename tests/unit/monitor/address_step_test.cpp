#include "common/cp1250.h"
#include "common/day_time.h"
#include "monitor/address_step.h"
#include "monitor/value_format.h"
#include "unit/monitor/monitor_table.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <stdexcept>

namespace korvanta::monitor {
namespace {

using testing::MonitorChannels;
using testing::MonitorTable;

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray crlfLines(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += common::toCp1250(line) + "\r\n";
    }
    return bytes;
}

const QStringList kFunctionNames = {QStringLiteral("ŚREDNIA"),
                                    QStringLiteral("SUMA2"),
                                    QStringLiteral("RÓŻNICA"),
                                    QStringLiteral("WART. SKUTECZNA"),
                                    QStringLiteral("P(moc czynna)"),
                                    QStringLiteral("S(moc pozorna)"),
                                    QStringLiteral("Q(moc bierna)"),
                                    QStringLiteral("U"),
                                    QStringLiteral("I"),
                                    QStringLiteral("cos φ")};

// Ten records 10 ms apart, the ring's current record 3. Channel 1: mean of input 1 (1.25), two
// decimals. Channel 2: mean of input 2 (3), three decimals, label "V", note "napięcie".
// Channel 3: cos φ of inputs 1 and 2. Saving every step, with the .net and .rap files.
class AddressStep : public ::testing::Test {
protected:
    void SetUp() override {
        m_previousDirectory = QDir::currentPath();
        ASSERT_TRUE(m_dir.isValid());
        m_table.fill(1, [](int) { return 1.25; });
        m_table.fill(2, [](int) { return 3.0; });
        m_table.control().setChannelCount(8);
        m_channels.channel(1, Mean, 1, 0, 2);
        m_channels.channel(2, Mean, 2, 0, 3);
        m_channels.channel(3, CosPhi, 1, 0, 3);
        m_channels.settings->setChannelName(2, QStringLiteral("V"));
        m_channels.settings->setChannelNote(2, QStringLiteral("napięcie"));
        m_channels.settings->setDataDirectory(m_dir.path() + QStringLiteral("\\dane\\"));
        m_inputs.now = common::toDayNumber(QDateTime(QDate(2026, 7, 12), QTime(14, 30, 5)));
        m_inputs.startDirectory = m_dir.path();
        m_inputs.functionNames = kFunctionNames;
        m_inputs.extraReport = true;
        m_inputs.extraNetFile = true;
        m_inputs.saveEvery = true;
        m_inputs.saveEveryText = QStringLiteral("1");
        m_inputs.fileDescription = QStringLiteral("opis_pliku");
        m_inputs.lineLimitText = QStringLiteral("0");
        m_inputs.partViewStepText = QStringLiteral("5");
    }
    void TearDown() override { QDir::setCurrent(m_previousDirectory); }

    AddressStepResult step(char address) {
        m_table.control().setSystemAddress(address);
        const acquisition::TickView view = m_table.view();
        ChannelContext context = m_channels.context(view);
        return adresPomiaryN(context, address, m_inputs, m_counter);
    }
    QString cosText() const {
        QString text;
        Formatuj(text, 3, m_channels.values[2]);
        return text;
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    // The total of the buffer-full test, in the same arithmetic as the step.
    double fullAt() { return 10 * m_table.control().samplePeriod() + 1.0 / 86400.0; }
    void stampNewest(double stamp) { m_table.records[2].timeStamp = stamp; }

    QTemporaryDir m_dir;
    QString m_previousDirectory;
    MonitorTable m_table{10, 3, 0.01 / 86400};
    MonitorChannels m_channels;
    AddressStepInputs m_inputs;
    SaveCounter m_counter;
};

TEST_F(AddressStep, OnlyTheTwoLabelsChangeUntilTheBufferIsFull) {
    m_channels.values[0] = 42;
    stampNewest(std::nextafter(fullAt(), 0.0));
    const AddressStepResult early = step('B');
    EXPECT_EQ(early.stage, AddressStage::Labels);
    EXPECT_FALSE(early.conversionError);
    EXPECT_EQ(early.label55, QStringLiteral("Current system: B"));
    EXPECT_EQ(early.label66, QStringLiteral("00.100")); // 10 × 10 ms as "sss.zzz"
    EXPECT_TRUE(early.dataLine.isEmpty());
    EXPECT_FALSE(early.dan.attempted);
    EXPECT_EQ(m_channels.values[0], 42) << "no channel is evaluated";
    EXPECT_EQ(m_counter.value(), 0) << "the tick is not counted towards a save";
    EXPECT_FALSE(QFile::exists(path("B.rap")));

    stampNewest(fullAt());
    const AddressStepResult full = step('B');
    EXPECT_EQ(full.stage, AddressStage::Reported);
    EXPECT_EQ(m_channels.values[0], 1.25);
    EXPECT_EQ(full.rates.bufferSizeText, QStringLiteral("10"));
    EXPECT_EQ(full.rates.frequencyText, QStringLiteral("100.00Hz"));
}

TEST_F(AddressStep, LowerCaseAddressWritesUpperCaseFilesFromTheStartAndDataDirectories) {
    const AddressStepResult first = step('a');
    ASSERT_FALSE(first.conversionError);
    const QString line = QStringLiteral("2026-07-12 14:30:05.000 1.25 3.000 ") + cosText();
    EXPECT_EQ(first.dataLine, line);
    EXPECT_EQ(first.label55, QStringLiteral("Current system: a"));
    EXPECT_EQ(first.memoLines, (QStringList{QStringLiteral("Record: a"), line}));
    EXPECT_EQ(first.fileBase, QStringLiteral("A"));
    EXPECT_EQ(first.columnHeader, QStringLiteral(" k1  V k3 "));
    EXPECT_EQ(first.label35, QStringLiteral("time         k1  V k3 "));
    EXPECT_EQ(first.dan.path, path("dane/A202607.dan"));
    EXPECT_EQ(first.net.path, path("A.net"));
    EXPECT_EQ(first.rap.path, path("A.rap"));
    // A new .dan file gets its header alone; the .net file has no header.
    EXPECT_EQ(fileBytes(first.dan.path), "opis_pliku k1  V k3 \r\n");
    EXPECT_EQ(fileBytes(first.net.path), crlfLines({line}));
    EXPECT_EQ(QDir::currentPath(), m_dir.path()) << "the start directory ends current";

    step('a');
    EXPECT_EQ(fileBytes(first.dan.path), crlfLines({QStringLiteral("opis_pliku k1  V k3 "), line}));
    EXPECT_EQ(fileBytes(first.net.path), crlfLines({line, line}));

    // Saving every second tick: the counter is shared, the .net file follows the .dan file.
    m_inputs.saveEveryText = QStringLiteral("2");
    m_inputs.extraNetFile = false;
    EXPECT_FALSE(step('a').dan.attempted);
    const AddressStepResult due = step('a');
    EXPECT_TRUE(due.dan.attempted);
    EXPECT_FALSE(due.net.attempted);
    EXPECT_EQ(fileBytes(first.net.path), crlfLines({line, line}));
    EXPECT_FALSE(QFile::exists(path("a.net")));
}

TEST_F(AddressStep, ReportFileIsRewrittenWithThePeriodTheReportNumberAndMemo4) {
    m_table.control().setReportNumber(17);
    const AddressStepResult r = step('B');
    const long long days = QDate(1899, 12, 30).daysTo(QDate(2026, 7, 12));
    const long long period = days * 8640 + (14 * 3600 + 30 * 60 + 5) / 10;
    const QStringList report = {
        QStringLiteral("REPORT 2026-07-12 14:30:05.000"), QStringLiteral("k1 ŚREDNIA 1.25    "),
        QStringLiteral("k2 ŚREDNIA 3.000  V  napięcie"),
        QStringLiteral("k3   ") + cosText() + QStringLiteral("    ")}; // code 9: a blank name
    EXPECT_EQ(r.reportLines, report);
    const QByteArray rap = fileBytes(path("B.rap"));
    EXPECT_EQ(rap, crlfLines(QStringList{QStringLiteral("%1   17B").arg(period)} + report +
                             QStringList{QString()}));
    EXPECT_FALSE(rap.contains("\r\r\n"));

    m_table.control().setReportNumber(18);
    m_channels.settings->setActive(2, false);
    step('B');
    EXPECT_TRUE(fileBytes(path("B.rap"))
                    .startsWith(QStringLiteral("%1   18B\r\nREPORT ").arg(period).toLatin1()));
    EXPECT_FALSE(fileBytes(path("B.rap")).contains("napi")) << "the file is written anew";

    m_inputs.extraReport = false;
    const AddressStepResult plain = step('b');
    EXPECT_EQ(plain.reportLines, QStringList{QStringLiteral("REPORT 2026-07-12 14:30:05.000")});
    EXPECT_FALSE(plain.rap.attempted);
}

TEST_F(AddressStep, ChannelsReadingBeyondTheChannelCountKeepTheirValues) {
    m_table.control().setChannelCount(1);
    m_channels.values[1] = 7.5;
    const AddressStepResult r = step('A');
    EXPECT_EQ(m_channels.values[0], 1.25);
    EXPECT_EQ(m_channels.values[1], 7.5);
    EXPECT_TRUE(r.dataLine.contains(QStringLiteral(" 1.25 7.500 ")));
}

TEST_F(AddressStep, TwoMemoLinesATickMeetTheLineLimitOnlyAtItsCount) {
    m_inputs.lineLimitText = QStringLiteral("3");
    m_inputs.memoLineCount = 0;
    EXPECT_FALSE(step('A').deleteFirstMemoLine); // 2 lines
    m_inputs.memoLineCount = 2;
    EXPECT_FALSE(step('A').deleteFirstMemoLine); // 4 lines: past 3, never exactly 3
    m_inputs.lineLimitText = QStringLiteral("4");
    EXPECT_TRUE(step('A').deleteFirstMemoLine);
}

TEST_F(AddressStep, TypedNumbersThatDoNotConvertEndTheStepWhereTheyAreRead) {
    EXPECT_FALSE(step('A').partViewStep.has_value());
    m_inputs.partView = true;
    EXPECT_EQ(step('A').partViewStep, 5.0);

    m_inputs.partViewStepText = QStringLiteral("x");
    const AddressStepResult view = step('A');
    ASSERT_TRUE(view.conversionError);
    EXPECT_EQ(view.stage, AddressStage::Saved);
    EXPECT_TRUE(view.dan.attempted);
    EXPECT_FALSE(view.rap.attempted);

    m_inputs.partView = false;
    m_inputs.lineLimitText = QStringLiteral("");
    const AddressStepResult limit = step('A');
    ASSERT_TRUE(limit.conversionError);
    EXPECT_EQ(limit.stage, AddressStage::PartView);

    m_inputs.lineLimitText = QStringLiteral("0");
    m_inputs.saveEveryText = QStringLiteral("co 2");
    const AddressStepResult save = step('A');
    ASSERT_TRUE(save.conversionError);
    EXPECT_EQ(save.stage, AddressStage::Lines);
    EXPECT_FALSE(save.dan.attempted);
    EXPECT_EQ(save.fileBase, QStringLiteral("A"));

    m_inputs.saveEveryText = QStringLiteral("1");
    m_channels.values[0] = 42;
    m_inputs.vectorChannel = []() -> std::optional<chart::VectorChannel> {
        throw common::ConversionError(QStringLiteral("'x' is not a valid integer value"));
    };
    const AddressStepResult vector = step('A');
    ASSERT_TRUE(vector.conversionError);
    EXPECT_EQ(vector.stage, AddressStage::Rates);
    EXPECT_EQ(m_channels.values[0], 42);
    EXPECT_EQ(vector.rates.bufferSizeText, QStringLiteral("10"));
}

TEST_F(AddressStep, VectorChannelWritesEveryRecordAndNeverAnInputARecordLacks) {
    m_table.fill(4, [](int) { return 3.0; });
    m_table.fill(5, [](int q) { return q == 0 ? -4.0 : 4.0; });
    m_inputs.vectorChannel = [] {
        return std::optional<chart::VectorChannel>({6, 4, 5});
    };
    step('A');
    for (const acquisition::Tabela& record : m_table.records) {
        EXPECT_EQ(record.values[5], 5.0F);
    }

    const std::vector<acquisition::Tabela> before = m_table.records;
    for (const chart::VectorChannel v :
         {chart::VectorChannel{33, 4, 5}, chart::VectorChannel{0, 4, 5},
          chart::VectorChannel{7, 4, 33}, chart::VectorChannel{7, -1, 5}}) {
        m_inputs.vectorChannel = [v] {
            return std::optional<chart::VectorChannel>(v);
        };
        EXPECT_FALSE(step('A').conversionError);
        EXPECT_EQ(std::memcmp(before.data(), m_table.records.data(),
                              before.size() * sizeof(acquisition::Tabela)),
                  0)
            << v.v << " " << v.w1 << " " << v.w2;
    }
}

TEST_F(AddressStep, FilesThatCannotBeWrittenCarryTheirReasons) {
    m_inputs.startDirectory = m_dir.filePath(QStringLiteral("missing"));
    const AddressStepResult r = step('C');
    EXPECT_FALSE(r.dan.failed());
    ASSERT_TRUE(r.net.failed());
    EXPECT_TRUE(r.net.failure.startsWith(QStringLiteral("C.net"))) << r.net.failure.toStdString();
    ASSERT_TRUE(r.rap.failed());
    EXPECT_TRUE(r.rap.failure.startsWith(QStringLiteral("C.rap"))) << r.rap.failure.toStdString();
    EXPECT_EQ(r.stage, AddressStage::Reported) << "a failed file does not end the step";
}

} // namespace
} // namespace korvanta::monitor
