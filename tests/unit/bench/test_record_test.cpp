// The test record: value lines, the fill from the parameters, the completeness check and the
// report and template data files.
#include "bench/test_record.h"
#include "support/read_only_directory.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korvanta::bench {
namespace {

QStringList twentyValues() {
    QStringList values;
    for (int i = 0; i < 20; ++i) {
        values << QStringLiteral("v%1").arg(i);
    }
    return values;
}

class TestRecordFilesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    void TearDown() override { QDir::setCurrent(m_previousDirectory); }

    QString path(const QString& name) const { return m_dir.filePath(name); }
    QByteArray bytesOf(const QString& name) const {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        return file.readAll();
    }

    QString m_previousDirectory = QDir::currentPath();
    QTemporaryDir m_dir;
};

TEST(TestRecord, MemoLinesCountEveryShownLine) {
    EXPECT_TRUE(memoLines(QString()).isEmpty());
    EXPECT_EQ(memoLines(QStringLiteral("a")), QStringList{"a"});
    EXPECT_EQ(memoLines(QStringLiteral("a\n")), (QStringList{"a", ""}));
    EXPECT_EQ(memoLines(QStringLiteral("a\r\nb\r\n")), (QStringList{"a", "b", ""}));
    EXPECT_EQ(memoLines(QStringLiteral("\n")), (QStringList{"", ""}));
    EXPECT_EQ(memoLines(memoText(twentyValues())), twentyValues());
}

TEST(TestRecord, FillCopiesTheParametersAndNamesEachEmptyOne) {
    const QStringList all = {"10", "2", "40", "15", "3"};
    // At program start the record is empty: the five lines are made.
    ParameterFill fill = fillParameterLines({}, all);
    EXPECT_EQ(fill.lines, all);
    EXPECT_TRUE(fill.messages.isEmpty());

    // An empty parameter keeps the value its line had; the items after the five are untouched.
    fill = fillParameterLines({"1", "2", "3", "4", "5", "rama"}, {"12,5", "", "40", "", "3"});
    EXPECT_EQ(fill.lines, (QStringList{"12,5", "2", "40", "4", "3", "rama"}));
    EXPECT_EQ(fill.messages, (QStringList{"Ustaw krok siły", "Ustaw czas To"}));

    // A short record gets the missing lines, empty where the parameter is empty.
    fill = fillParameterLines({"stary"}, {"", "2", "", "", ""});
    EXPECT_EQ(fill.lines, (QStringList{"stary", "2", "", "", ""}));
    EXPECT_EQ(fill.messages,
              (QStringList{"Ustaw górny zakres obciążenia", "Ustaw górny zakres przesunięcia",
                           "Ustaw czas To", "Ustaw czas Tpo"}));
}

TEST(TestRecord, CompleteOnlyWithTwentyFilledLinesAndAName) {
    const QStringList values = twentyValues();
    EXPECT_TRUE(isTestRecordComplete(values, QStringLiteral("rama1")));
    EXPECT_FALSE(isTestRecordComplete(values, QString()));
    EXPECT_FALSE(isTestRecordComplete(values.mid(0, 19), QStringLiteral("rama1")));
    EXPECT_FALSE(isTestRecordComplete(values + QStringList{"v20"}, QStringLiteral("rama1")));
    QStringList oneEmpty = values;
    oneEmpty[7].clear();
    EXPECT_FALSE(isTestRecordComplete(oneEmpty, QStringLiteral("rama1")));
    EXPECT_FALSE(isTestRecordComplete({}, QStringLiteral("rama1")));

    // A line break after the twentieth value shows an empty 21st line.
    const QString text = memoText(values);
    EXPECT_TRUE(isTestRecordComplete(memoLines(text), QStringLiteral("rama1")));
    EXPECT_FALSE(isTestRecordComplete(memoLines(text + "\n"), QStringLiteral("rama1")));
}

TEST_F(TestRecordFilesTest, ConfirmingTwiceAppendsTwiceThenTheLogFollows) {
    ASSERT_TRUE(appendTestRecord(m_dir.path(), QStringLiteral("rama1"), twentyValues()));
    const QByteArray once = bytesOf(QStringLiteral("rama1.txt"));
    // Code page 1250: ó F3, ą B9, ż BF, ł B3, Ń D1.
    EXPECT_TRUE(once.startsWith("G\xF3rny zakres obci\xB9\xBF"
                                "enia [kN] v0\r\nKrok si\xB3y [kN] v1\r\n"));
    EXPECT_TRUE(once.endsWith("Wymiar I v19\r\nWYNIKI BADA\xD1:\r\n"));
    EXPECT_EQ(once.count("\r\n"), 21);
    EXPECT_EQ(once.count('\n'), 21);

    ASSERT_TRUE(appendTestRecord(m_dir.path(), QStringLiteral("rama1"), twentyValues()));
    EXPECT_EQ(bytesOf(QStringLiteral("rama1.txt")), once + once);

    ASSERT_TRUE(appendTestLog(m_dir.path(), QStringLiteral("rama1"),
                              {"00:00:01.000 2.00", "Wciśnięto klawisz STOP."}));
    EXPECT_EQ(bytesOf(QStringLiteral("rama1.txt")),
              once + once + "00:00:01.000 2.00\r\nWci\x9Cni\xEAto klawisz STOP.\r\n");
}

TEST_F(TestRecordFilesTest, TemplateDataIsRewrittenWhole) {
    ASSERT_TRUE(writeTemplateData(m_dir.path(), {"10", "2"}, {"łuk", "STOP"}));
    EXPECT_EQ(bytesOf(QStringLiteral("PlikRaportu.ods")), "10\r\n2\r\n\xB3uk\r\nSTOP\r\n");
    ASSERT_TRUE(writeTemplateData(m_dir.path(), {}, {"STOP"}));
    EXPECT_EQ(bytesOf(QStringLiteral("PlikRaportu.ods")), "STOP\r\n");
}

TEST_F(TestRecordFilesTest, MissingDataDirectoryIsMadeAndAnUnwritableOneIsNamed) {
    const QString nested = path(QStringLiteral("dane/badania"));
    ASSERT_TRUE(appendTestLog(nested, QStringLiteral("rama2"), {"STOP"}));
    EXPECT_EQ(bytesOf(QStringLiteral("dane/badania/rama2.txt")), "STOP\r\n");
    EXPECT_EQ(QDir::current().canonicalPath(), QDir(nested).canonicalPath());
    ASSERT_TRUE(writeTemplateData(path(QStringLiteral("dane/raporty")), {"1"}, {}));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("dane/raporty/PlikRaportu.ods"))));

    // A directory below a plain file can be neither made nor written, whoever runs the test.
    QFile blocker(path(QStringLiteral("plik")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString blocked = path(QStringLiteral("plik/dane"));
    const auto record = appendTestRecord(blocked, QStringLiteral("rama3"), twentyValues());
    ASSERT_FALSE(record);
    EXPECT_TRUE(record.reason().contains("rama3.txt")) << record.reason().toStdString();
    const auto log = appendTestLog(blocked, QStringLiteral("rama3"), {"STOP"});
    ASSERT_FALSE(log);
    EXPECT_TRUE(log.reason().contains("rama3.txt")) << log.reason().toStdString();
    const auto data = writeTemplateData(blocked, {"1"}, {});
    ASSERT_FALSE(data);
    EXPECT_TRUE(data.reason().contains("PlikRaportu.ods")) << data.reason().toStdString();
}

TEST_F(TestRecordFilesTest, AFullDiskUnderTheReportFileIsNamedAndAnOldTemplateStays) {
    // Every write to the report fails with "no space left on the device".
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), path(QStringLiteral("rama4.txt"))));
    const auto record = appendTestRecord(m_dir.path(), QStringLiteral("rama4"), twentyValues());
    ASSERT_FALSE(record);
    EXPECT_TRUE(record.reason().contains("rama4.txt")) << record.reason().toStdString();
    const auto log = appendTestLog(m_dir.path(), QStringLiteral("rama4"), {"STOP"});
    ASSERT_FALSE(log);
    EXPECT_TRUE(log.reason().contains("rama4.txt")) << log.reason().toStdString();

    const QString reports = path(QStringLiteral("raporty"));
    ASSERT_TRUE(writeTemplateData(reports, {"10"}, {"STOP"}));
    const QByteArray old = bytesOf(QStringLiteral("raporty/PlikRaportu.ods"));
    {
        testing::ReadOnlyDirectory locked(reports);
        if (!locked.holds()) {
            GTEST_SKIP() << "the directory stays writable for this user";
        }
        const auto data = writeTemplateData(reports, {"20"}, {});
        ASSERT_FALSE(data);
        EXPECT_TRUE(data.reason().contains("PlikRaportu.ods")) << data.reason().toStdString();
    }
    EXPECT_EQ(bytesOf(QStringLiteral("raporty/PlikRaportu.ods")), old);
}

} // namespace
} // namespace korvanta::bench
