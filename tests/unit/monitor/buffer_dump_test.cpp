#include "common/cp1250.h"
#include "common/day_time.h"
#include "common/number_format.h"
#include "monitor/buffer_dump.h"
#include "monitor/dump_format.h"
#include "monitor/dynamic_recording.h"
#include "unit/monitor/monitor_table.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace korvanta::monitor {
namespace {

using testing::MonitorTable;

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString elapsed(double days) {
    char text[kDumpFieldMax];
    return QString::fromLatin1(text, appendElapsedTime(text, days) - text);
}

QString fourDecimals(float value, char separator = '.') {
    char text[kDumpFieldMax];
    return QString::fromLatin1(text, appendFourDecimals(text, value, separator) - text);
}

TEST(DumpFormat, GivesTheGeneralFormattersTexts) {
    common::setDecimalSeparator(QLatin1Char('.'));
    EXPECT_EQ(fourDecimals(0.5F), QStringLiteral(".5000"));
    EXPECT_EQ(fourDecimals(-1.23456F), QStringLiteral("-1.2346"));
    EXPECT_EQ(fourDecimals(0.03125F), QStringLiteral(".0313")) << "a tie rounds away from zero";
    EXPECT_EQ(fourDecimals(-0.03125F), QStringLiteral("-.0313"));
    EXPECT_EQ(fourDecimals(-0.00004F), QStringLiteral(".0000")) << "no minus before zeros";
    EXPECT_EQ(fourDecimals(1234.5F, ','), QStringLiteral("1234,5000"));

    std::mt19937 random(7);
    std::uniform_real_distribution<float> mantissa(-1.0F, 1.0F);
    std::uniform_int_distribution<int> exponent(-20, 40);
    std::vector<float> values = {0.0F,
                                 -0.0F,
                                 0.00005F,
                                 0.00015F,
                                 99999.99995F,
                                 1.0e20F,
                                 -3.0e38F,
                                 std::numeric_limits<float>::infinity(),
                                 std::numeric_limits<float>::quiet_NaN()};
    for (int i = 0; i < 200000; ++i) {
        values.push_back(mantissa(random) * std::ldexp(1.0F, exponent(random)));
    }
    for (int k = -4000; k <= 4000; ++k) {
        values.push_back(static_cast<float>(k) / 32.0F); // every binary tie near zero
    }
    for (const float v : values) {
        ASSERT_EQ(fourDecimals(v), common::formatFloat(QStringLiteral(".0000"), v)) << v;
    }

    EXPECT_EQ(elapsed(0), QStringLiteral("00:00.000"));
    EXPECT_EQ(elapsed((61.25 + 3600) / 86400), QStringLiteral("01:01.250")) << "no hours";
    std::uniform_real_distribution<double> span(-2.0, 2.0);
    for (int i = 0; i < 100000; ++i) {
        const double d = span(random);
        ASSERT_EQ(elapsed(d), common::formatDayTime(QStringLiteral("nn:ss.zzz"), d)) << d;
    }
}

// Five records 61.25 s apart with inputs 1..3 set from each record's age, the oldest (the ring's
// current record) first.
class BufferDump : public ::testing::Test {
protected:
    void SetUp() override {
        m_previousDirectory = QDir::currentPath();
        ASSERT_TRUE(m_dir.isValid());
        QDir::setCurrent(m_dir.path());
        common::setDecimalSeparator(QLatin1Char('.'));
        m_settings->setChannelName(1, QStringLiteral("V"));
        m_settings->setChannelName(3, QStringLiteral("Ś"));
        m_inputs.now = common::toDayNumber(QDateTime(QDate(2026, 7, 12), QTime(14, 30, 5)));
        m_inputs.folder = QStringLiteral("dynamic\\");
        m_inputs.address = 'a';
    }
    void TearDown() override { QDir::setCurrent(m_previousDirectory); }

    MonitorTable table(int currentIndex) {
        MonitorTable t(5, currentIndex, 61.25 / 86400);
        t.control().setChannelCount(3);
        t.fill(1, [](int q) { return 0.5 * q; });
        t.fill(2, [](int q) { return -1.23456 * q; });
        t.fill(3, [](int q) { return 1000 + q; });
        return t;
    }
    BufferDumpResult dump(MonitorTable& t) {
        return ZapiszBuforJakoPlikTekstowy(t.view(), *m_settings, m_inputs);
    }

    QTemporaryDir m_dir;
    QString m_previousDirectory;
    std::unique_ptr<acquisition::SettingsRecord> m_settings =
        std::make_unique<acquisition::SettingsRecord>();
    BufferDumpInputs m_inputs;
};

TEST_F(BufferDump, LinesRunFromTheOldestRecordRoundTheRing) {
    const QByteArray expected =
        common::toCp1250(QStringLiteral("a_2026-07-12_14:30:05_V__Ś\r\n"
                                        "00:00.000 .0000 .0000 1000.0000\r\n"
                                        "01:01.250 .5000 -1.2346 1001.0000\r\n"
                                        "02:02.500 1.0000 -2.4691 1002.0000\r\n"
                                        "03:03.750 1.5000 -3.7037 1003.0000\r\n"
                                        "04:05.000 2.0000 -4.9382 1004.0000\r\n"));
    for (const int r : {0, 3}) {
        MonitorTable t = table(r);
        const BufferDumpResult result = dump(t);
        ASSERT_FALSE(result.failed()) << result.failure.toStdString();
        EXPECT_EQ(result.name, QStringLiteral("dynamic/a20260712_1430050.txt"));
        EXPECT_EQ(result.path, m_dir.filePath(QStringLiteral("dynamic/a20260712_1430050.txt")));
        EXPECT_EQ(result.label64(), QStringLiteral("Dynamic file name: ") + result.name);
        EXPECT_EQ(fileBytes(result.path), expected) << "current record " << r;
    }
}

TEST_F(BufferDump, NamesHeaderAndInputCountFollowTheSystemAndTheControlBlock) {
    EXPECT_EQ(directionLetter(1), QStringLiteral("P"));
    EXPECT_EQ(directionLetter(-1), QStringLiteral("L"));
    EXPECT_EQ(directionLetter(0), QStringLiteral("0"));
    EXPECT_EQ(bufferDumpName(QStringLiteral("d:\\dyn\\"), '\0', m_inputs.now, 1),
              QStringLiteral("d:/dyn/buf20260712_143005P.txt"));
    EXPECT_EQ(bufferDumpHeader(*m_settings, '\0', m_inputs.now, 2),
              QStringLiteral("BUF_2026-07-12_14:30:05_V_"));

    MonitorTable t = table(2);
    t.control().setChannelCount(64);
    m_inputs.folder = QString();
    const BufferDumpResult wide = dump(t);
    const QList<QByteArray> lines = fileBytes(wide.path).split('\n');
    ASSERT_EQ(lines.size(), 7); // header, five records, nothing after the last line end
    EXPECT_EQ(lines[0].count('_'), 2 + 32) << "one label per input a record has";
    EXPECT_EQ(lines[1].count(' '), 32);

    t.control().setChannelCount(0);
    m_inputs.address = 'B';
    m_inputs.direction = -1;
    const BufferDumpResult none = dump(t);
    EXPECT_EQ(none.name, QStringLiteral("B20260712_143005L.txt"));
    EXPECT_EQ(fileBytes(none.path), "B_2026-07-12_14:30:05\r\n00:00.000\r\n01:01.250\r\n"
                                    "02:02.500\r\n03:03.750\r\n04:05.000\r\n");
}

TEST_F(BufferDump, AFileThatCannotBeWrittenIsReportedAndLeavesNothing) {
    QFile blocker(m_dir.filePath(QStringLiteral("dynamic")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    MonitorTable t = table(1);
    const BufferDumpResult result = dump(t);
    ASSERT_TRUE(result.failed());
    EXPECT_EQ(result.status(), QStringLiteral("Save error: dynamic/a20260712_1430050.txt"));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("dynamic")});
}

TEST_F(BufferDump, ProgressCountsUpToTheWholeTable) {
    MonitorTable t(10000, 17, 0.001 / 86400);
    std::vector<std::pair<int, int>> reports;
    m_inputs.progress = [&reports](int done, int total) {
        reports.emplace_back(done, total);
    };
    EXPECT_FALSE(ZapiszBuforJakoPlikTekstowy(t.view(), *m_settings, m_inputs).failed());
    ASSERT_GE(reports.size(), 2U);
    for (std::size_t i = 1; i < reports.size(); ++i) {
        EXPECT_GT(reports[i].first, reports[i - 1].first);
    }
    EXPECT_EQ(reports.back(), std::make_pair(10000, 10000));
}

TEST(DynamicInterval, ReadsHoursMinutesAndSeconds) {
    EXPECT_DOUBLE_EQ(parseDynamicInterval(QStringLiteral("00:30:00")), 1800 / 86400.0);
    EXPECT_DOUBLE_EQ(parseDynamicInterval(QStringLiteral("1:02")), 3720 / 86400.0);
    EXPECT_DOUBLE_EQ(parseDynamicInterval(QStringLiteral("23:59:59")), 86399 / 86400.0);
    for (const char* bad : {"", "30", "24:00:00", "00:60:00", "00:00:60", "00:30:00:00", "a:b:c",
                            "-1:00:00", "00:30:0x"}) {
        EXPECT_THROW(parseDynamicInterval(QString::fromLatin1(bad)), common::ConversionError)
            << bad;
    }
}

} // namespace
} // namespace korvanta::monitor
