#include "files/csv_export.h"

#include <QBuffer>
#include <charconv>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace korvanta::files;

namespace {

QByteArray csvOf(const QByteArray& fileText) {
    const LoadedFile file = loadDataBytes(fileText);
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    EXPECT_TRUE(writeCsv(file, out));
    return bytes;
}

float readBack(const QByteArray& text) {
    float value = 0;
    const auto [end, error] = std::from_chars(text.constData(), text.constEnd(), value);
    EXPECT_EQ(error, std::errc()) << text.constData();
    EXPECT_EQ(end, text.constEnd()) << text.constData();
    return value;
}

TEST(CsvExport, NumbersAreTheShortestTextsThatReadBackToTheSameFloat) {
    EXPECT_EQ(csvNumber(1.5f), "1.5");
    EXPECT_EQ(csvNumber(-2.0f), "-2");
    EXPECT_EQ(csvNumber(0.1f), "0.1");
    EXPECT_EQ(csvNumber(12345.678f), "12345.678");
    const float awkward[] = {1.0f / 3.0f, 3.4028235e38f, 1.17549435e-38f,
                             -0.0001234f, 16777217.0f,   7.0e-45f};
    for (const float value : awkward) {
        const QByteArray text = csvNumber(value);
        EXPECT_EQ(readBack(text), value) << text.constData();
        EXPECT_FALSE(text.contains(',')) << text.constData();
    }
}

TEST(CsvExport, FieldsWithCommasQuotesOrLineBreaksAreQuoted) {
    EXPECT_EQ(csvField(QStringLiteral("k1")), "k1");
    EXPECT_EQ(csvField(QStringLiteral(" 10:00:00")), " 10:00:00");
    EXPECT_EQ(csvField(QStringLiteral("a,b")), "\"a,b\"");
    EXPECT_EQ(csvField(QStringLiteral("say \"hi\"")), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(csvField(QStringLiteral("a\nb")), "\"a\nb\"");
    EXPECT_EQ(csvField(QStringLiteral("Ciśnienie")), QStringLiteral("Ciśnienie").toUtf8());
}

TEST(CsvExport, OneRowPerDataLineWithEmptyCellsWhereALineHasFewerValues) {
    const QByteArray csv = csvOf("opis Ua Ub Uc\r\n"
                                 "2024-05-06 10:00:00 1.5 -2 0.25\r\n"
                                 "to nie jest linia danych\r\n"
                                 "2024-05-06 10:00:01 7\r\n"
                                 "2024-05-06 10:00:02 8 9\r\n");
    EXPECT_EQ(csv, "label,Ua,Ub,Uc\r\n"
                   "2024-05-06 10:00:00,1.5,-2,0.25\r\n"
                   "2024-05-06 10:00:01,7,,\r\n"
                   "2024-05-06 10:00:02,8,9,\r\n");
}

TEST(CsvExport, DefaultNamesAndTheLabelsOfLinesWithoutDate) {
    const QByteArray csv = csvOf("00:00:01.000 1 2\r\n00:00:02.000 3\r\n");
    EXPECT_EQ(csv, "label,k1,k2\r\n"
                   " 00:00:01.000,1,2\r\n"
                   " 00:00:02.000,3,\r\n");
}

TEST(CsvExport, AFileWithoutDataLinesGivesTheHeaderRowAlone) {
    EXPECT_EQ(csvOf("opis k1 k2\r\n"), "label\r\n");
    EXPECT_EQ(csvOf(""), "label\r\n");
}

TEST(CsvExport, ManyLinesAreWrittenWholeAcrossChunks) {
    QByteArray text = "opis a b\r\n";
    const int lines = 120000;
    for (int i = 0; i < lines; ++i) {
        text += "00:00:01 " + QByteArray::number(i) + " " + QByteArray::number(i % 7) + ".5\r\n";
    }
    const QByteArray csv = csvOf(text);
    const QList<QByteArray> rows = csv.split('\n');
    ASSERT_EQ(rows.size(), lines + 2); // the header, the lines and the empty rest after the last
    EXPECT_EQ(rows[1], " 00:00:01,0,0.5\r");
    EXPECT_EQ(rows[lines], " 00:00:01,119999,5.5\r");
}

TEST(CsvExport, AFullDeviceIsReported) {
    const LoadedFile file = loadDataBytes("00:00:01 1\r\n");
    QBuffer closed;
    EXPECT_FALSE(writeCsv(file, closed));
}

} // namespace
