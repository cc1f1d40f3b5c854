#include "files/file_summary.h"

#include <gtest/gtest.h>

using namespace korvanta::files;

namespace {

const QString kData = QStringLiteral(KORVANTA_TEST_DATA "/files/");

QStringList summaryOf(const QByteArray& text) {
    return fileSummary(loadDataBytes(text));
}

TEST(FileSummary, NamesEveryItemOfAFileWithHeader) {
    const auto loaded = loadDataFile(kData + QStringLiteral("chart_two_channels.dan"));
    ASSERT_TRUE(loaded.ok());
    EXPECT_EQ(fileSummary(loaded.value()),
              (QStringList{QStringLiteral("description: Opis"), QStringLiteral("columns: k1 k3"),
                           QStringLiteral("lines: 5"), QStringLiteral("values: 2"),
                           QStringLiteral("first: 2024-05-06 10:00:00.000"),
                           QStringLiteral("last: 2024-05-06 10:00:04.000")}));
}

TEST(FileSummary, TheWidestLineGivesTheColumnsAndTheValueCount) {
    const QStringList summary = summaryOf("pomiar U I P\r\n"
                                          "00:00:01 1\r\n"
                                          "00:00:02 1 2 3\r\n"
                                          "00:00:03 1 2\r\n");
    EXPECT_EQ(summary.at(1), QStringLiteral("columns: U I P"));
    EXPECT_EQ(summary.at(2), QStringLiteral("lines: 3"));
    EXPECT_EQ(summary.at(3), QStringLiteral("values: 3"));
    EXPECT_EQ(summary.at(4), QStringLiteral("first:  00:00:01"));
    EXPECT_EQ(summary.at(5), QStringLiteral("last:  00:00:03"));
}

TEST(FileSummary, WithoutHeaderTheDefaultNamesAndNoDescription) {
    const QStringList summary = summaryOf("5 1.5 2.5\r\n");
    EXPECT_EQ(summary.at(0), QStringLiteral("description: "));
    EXPECT_EQ(summary.at(1), QStringLiteral("columns: k1 k2"));
    EXPECT_EQ(summary.at(4), QStringLiteral("first:  5"));
}

TEST(FileSummary, AFileWithoutDataLinesHasNoColumnsAndNoLabels) {
    EXPECT_EQ(summaryOf("opis k1 k2\r\n"),
              (QStringList{QStringLiteral("description: opis"), QStringLiteral("columns: "),
                           QStringLiteral("lines: 0"), QStringLiteral("values: 0"),
                           QStringLiteral("first: "), QStringLiteral("last: ")}));
}

} // namespace
