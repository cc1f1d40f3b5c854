#include "analysis/analysis_text_export.h"
#include "common/day_time.h"

#include <gtest/gtest.h>

namespace korvanta::analysis {
namespace {

TEST(AnalysisTextExport, SpectrumLinesHoldTheSwitchedOnSeriesWithTheirSeparators) {
    const QStringList labels{QStringLiteral("  0.00"), QStringLiteral("  1.50")};
    const std::vector<TextColumn> all{{QStringLiteral("Real  "), true, {1.0, -2.25}},
                                      {QStringLiteral("Imag  "), true, {0.5, 0.0}},
                                      {QStringLiteral("XY"), true, {3.0, 12345.6}}};
    EXPECT_EQ(columnTextLines(QStringLiteral("f  "), labels, all),
              (QStringList{"f  Real  Imag  XY", "  0.00 1.0000 0.5000 3.0000",
                           "  1.50 -2.2500 0.0000 12345.6000"}));

    // A switched-off series leaves out its value and its blank; the blank after the imaginary
    // value stays when the magnitude is off.
    std::vector<TextColumn> some = all;
    some[1].on = false;
    EXPECT_EQ(columnTextLines(QStringLiteral("f  "), labels, some),
              (QStringList{"f  Real  XY", "  0.00 1.0000 3.0000", "  1.50 -2.2500 12345.6000"}));
    some[1].on = true;
    some[2].on = false;
    EXPECT_EQ(columnTextLines(QStringLiteral("f  "), labels, some),
              (QStringList{"f  Real  Imag  ", "  0.00 1.0000 0.5000 ", "  1.50 -2.2500 0.0000 "}));
}

TEST(AnalysisTextExport, DataLinesWithShorterInverseSeriesAndNoPoints) {
    const std::vector<TextColumn> columns{{QStringLiteral("Data  "), true, {1.0, 2.0}},
                                          {QStringLiteral("iReal  "), true, {0.5}},
                                          {QStringLiteral("iImag"), false, {}}};
    EXPECT_EQ(columnTextLines(QStringLiteral("Time  "), {"a", "b"}, columns),
              (QStringList{"Time  Data  iReal  ", "a 1.0000 0.5000 ", "b 2.0000  "}));
    EXPECT_EQ(columnTextLines(QStringLiteral("Time  "), {}, columns),
              QStringList{"Time  Data  iReal  "});
}

TEST(AnalysisTextExport, HistogramLinesStartWithAnEmptyLine) {
    const std::vector<double> heights{3, 0, 12};
    EXPECT_EQ(histogramTextLines({"0.500", "1.500", "2.500"}, heights),
              (QStringList{"", "0.500 3.0000 ", "1.500 0.0000 ", "2.500 12.0000 "}));
    EXPECT_EQ(histogramTextLines({}, {}), QStringList{QString()});
}

TEST(AnalysisTextExport, ReportHeaderNamesAFileOrALiveChannel) {
    ReportSource source;
    source.now = common::toDayNumber(QDateTime(QDate(2026, 7, 12), QTime(14, 30, 5)));
    source.channel = 7;
    source.fileName = QStringLiteral("pomiar.dan");
    source.seriesTitle = QStringLiteral("Siła");
    source.bufferLength = QStringLiteral("1000");
    source.frequency = QStringLiteral("2000 Hz");
    source.inputName = QStringLiteral("3");
    source.inputNote = QStringLiteral("czujnik");
    source.channelName = QStringLiteral("F1");
    source.channelNote = QStringLiteral("rama");

    source.fromFile = true;
    EXPECT_EQ(reportHeaderLines(source),
              (QStringList{"RAPORT, 2026-07-12 14:30:05", " ", "Plik: pomiar.dan", "Kanał: 7",
                           "Etykieta: Siła"}));
    source.fromFile = false;
    EXPECT_EQ(reportHeaderLines(source),
              (QStringList{"RAPORT, 2026-07-12 14:30:05", " ", "Długość bufora: 1000",
                           "Częstotliwość: 2000 Hz", "Kanał: 7", "Wejście pomiarowe: W3  czujnik",
                           "Etykieta: F1", "Notatka: rama"}));
}

} // namespace
} // namespace korvanta::analysis
