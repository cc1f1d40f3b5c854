#include "common/number_format.h"
#include "files/text_export.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace korvanta::files;
using korvanta::acquisition::SettingsRecord;

namespace {

// A series of the chart with the given Y values; its labels name the series and the point.
ExportSeries series(const QString& name, std::vector<double> values, bool exported = true) {
    ExportSeries s;
    s.exported = exported;
    s.size = static_cast<int>(values.size());
    s.firstVisible = 0;
    s.lastVisible = s.size - 1;
    s.value = [values](int i) {
        return values.at(static_cast<std::size_t>(i));
    };
    s.label = [name](int i) {
        return name + QString::number(i);
    };
    return s;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(TextExport, HeaderNamesTheSelectedChannelsByNumber) {
    SettingsRecord settings;
    for (int k = 1; k <= SettingsRecord::kChannelCount; ++k) {
        settings.setChannelNumber(k, k);
    }
    settings.setChannelNumber(64, 70);
    const auto oneAndThree = [](int k) {
        return k == 1 || k == 3;
    };
    EXPECT_EQ(exportHeader(QStringLiteral("opis_pliku"), settings, oneAndThree),
              QStringLiteral("opis_pliku k1  k3 "));
    EXPECT_EQ(exportHeader(QStringLiteral("opis_pliku"), settings, [](int) { return false; }),
              QStringLiteral("opis_pliku"));
    EXPECT_EQ(exportHeader(QString(), settings, [](int k) { return k == 64; }),
              QStringLiteral(" k70 "));
}

TEST(TextExport, ChartLinesFormatValuesWithFourDecimalsAndAPoint) {
    korvanta::common::setDecimalSeparator(QLatin1Char(','));
    const QStringList lines = chartTextLines({series(QStringLiteral("a"), {-0.5, 12345.678, 0}),
                                              series(QStringLiteral("b"), {2, 0.00004, -1e-6})});
    EXPECT_EQ(lines, (QStringList{QStringLiteral("a0 -0.5000 2.0000"),
                                  QStringLiteral("a1 12345.6780 0.0000"),
                                  QStringLiteral("a2 0.0000 0.0000")}));
    EXPECT_EQ(korvanta::common::decimalSeparator(), QLatin1Char('.'));

    EXPECT_TRUE(chartTextLines({}).isEmpty());
    EXPECT_TRUE(chartTextLines({series(QStringLiteral("a"), {})}).isEmpty());
    EXPECT_TRUE(chartTextLines({series(QStringLiteral("a"), {1, 2}, false)}).isEmpty());
}

TEST(TextExport, ReferenceIsTheLongestExportedSeriesAndShortOnesGiveNoValue) {
    // The longest series is not next to the first, and an unexported one is longer still.
    std::vector<ExportSeries> chart{
        series(QStringLiteral("a"), {1, 2}), series(QStringLiteral("b"), {9, 9, 9, 9, 9}, false),
        series(QStringLiteral("c"), {1}), series(QStringLiteral("d"), {5, 6, 7}),
        series(QStringLiteral("e"), {8, 8, 8})};
    EXPECT_EQ(chartTextLines(chart), (QStringList{QStringLiteral("d0 1.0000 1.0000 5.0000 8.0000"),
                                                  QStringLiteral("d1 2.0000 6.0000 8.0000"),
                                                  QStringLiteral("d2 7.0000 8.0000")}));

    // Only the visible points of the reference, even where its last index lies beyond its end.
    chart[3].firstVisible = 1;
    chart[3].lastVisible = 9;
    chart[4].lastVisible = 1;
    EXPECT_EQ(chartTextLines(chart), (QStringList{QStringLiteral("d1 2.0000 6.0000 8.0000"),
                                                  QStringLiteral("d2 7.0000 8.0000")}));
}

TEST(TextExport, CompanionNameAndTextFilesInCodePage1250) {
    EXPECT_EQ(companionSettingsName(QStringLiteral("pomiar.dan")), QStringLiteral("pomiar.sett"));
    EXPECT_EQ(companionSettingsName(QStringLiteral("/d/wynik.txt")),
              QStringLiteral("/d/wynik.sett"));
    EXPECT_EQ(companionSettingsName(QStringLiteral("ab")), QStringLiteral("absett"));
    EXPECT_EQ(companionSettingsName(QStringLiteral("/d/ab")), QStringLiteral("/d/absett"));

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("txtFile.txt"));
    ASSERT_TRUE(writeTextFile(path, {QStringLiteral("zażółć k1 "), QString()}).ok());
    EXPECT_EQ(readFile(path), QByteArray("za\xBF\xF3\xB3\xE6 k1 \r\n\r\n"));
    ASSERT_TRUE(writeTextFile(path, {QStringLiteral("x")}).ok());
    EXPECT_EQ(readFile(path), QByteArray("x\r\n"));

    const auto missing = writeTextFile(dir.filePath(QStringLiteral("brak/plik.txt")), {});
    EXPECT_FALSE(missing.ok());
    EXPECT_TRUE(missing.reason().contains(QStringLiteral("plik.txt")));
    ASSERT_TRUE(QDir().mkdir(dir.filePath(QStringLiteral("katalog.txt"))));
    EXPECT_FALSE(writeTextFile(dir.filePath(QStringLiteral("katalog.txt")), {}).ok());
}
