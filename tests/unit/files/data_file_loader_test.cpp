#include "files/data_file_loader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

using namespace korvanta::files;

namespace {

const QString kData = QStringLiteral(KORVANTA_TEST_DATA "/files/");

LoadedFile loadFixture(const char* name) {
    const auto result = loadDataFile(kData + QLatin1String(name));
    EXPECT_TRUE(result.ok()) << result.reason().toStdString();
    return result.ok() ? result.value() : LoadedFile{};
}

LoadedFile load(const QByteArray& bytes) {
    return loadDataBytes(bytes);
}

std::vector<float> valuesOf(const LoadedFile& file, int column) {
    return file.columns.at(static_cast<std::size_t>(column)).values;
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(content), content.size());
}

QByteArray timeLines(int count) {
    QByteArray text;
    for (int k = 0; k < count; ++k) {
        text += "00:00:" + QByteArray::number(k) + " " + QByteArray::number(k) + "\r\n";
    }
    return text;
}

// Pads the text with short lines that are no data lines up to `size` bytes.
void fillTo(QByteArray& text, qsizetype size) {
    while (text.size() < size) {
        const qsizetype length = std::min<qsizetype>(size - text.size(), 80);
        text += QByteArray(length - 1, '#') + '\n';
    }
}

} // namespace

TEST(DataFileLoader, EmptyFirstLineGivesEmptyTitlesAndDateTimeLabels) {
    const LoadedFile file = loadFixture("empty_header.dan");
    ASSERT_EQ(file.columns.size(), 2u);
    EXPECT_EQ(valuesOf(file, 0), std::vector<float>{1.5f});
    EXPECT_EQ(valuesOf(file, 1), std::vector<float>{-2.25f});
    for (const QString& name : file.names) {
        EXPECT_TRUE(name.isEmpty());
    }
    ASSERT_EQ(file.labels->size(), 1);
    EXPECT_EQ(file.labels->at(0), QStringLiteral("2026-07-12 14:30:05.000"));
    EXPECT_EQ(file.dataLines, 1);
    EXPECT_EQ(file.lastValueCount, 2);
    EXPECT_EQ(file.longLine, 0);
    EXPECT_FALSE(file.cancelled);
}

TEST(DataFileLoader, ExportedFileReadsBackWithItsColumnNames) {
    const LoadedFile file = loadFixture("exported_k1_k3.txt");
    EXPECT_EQ(file.description, QStringLiteral("opis_pliku"));
    EXPECT_EQ(file.names[0], QStringLiteral("k1"));
    EXPECT_EQ(file.names[1], QStringLiteral("k3"));
    EXPECT_EQ(file.names[2], QString());
    EXPECT_EQ(valuesOf(file, 0), (std::vector<float>{1.0f, -0.5f}));
    EXPECT_EQ(valuesOf(file, 1), (std::vector<float>{3.0f, 12345.678f}));
    EXPECT_EQ(file.labels->at(1), QStringLiteral("2026-07-12 14:30:06.000"));

    // Reading the bytes gives the same as reading the file.
    QFile raw(kData + QStringLiteral("exported_k1_k3.txt"));
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    const LoadedFile bytes = load(raw.readAll());
    EXPECT_EQ(bytes.names, file.names);
    EXPECT_EQ(*bytes.labels, *file.labels);
    EXPECT_EQ(valuesOf(bytes, 1), valuesOf(file, 1));
}

TEST(DataFileLoader, EveryLineEndIsALineAndTheLastLineCountsOnce) {
    const LoadedFile mixed = loadFixture("mixed_line_ends.dan");
    EXPECT_EQ(mixed.dataLines, 5);
    EXPECT_EQ(valuesOf(mixed, 0), (std::vector<float>{1, 2, 3, 4, 5}));
    // A line without a date gets a label that starts with a space.
    EXPECT_EQ(mixed.labels->at(4), QStringLiteral(" 00:00:05.000"));
    // Labels in code page 1250 are decoded; those around them stay as they were.
    const LoadedFile letters =
        load("12:00:00 1\r\n7\xB3\xF3\x64\x9F 2\r\n12-07-2026 14:30:05\xB9 3\r\n");
    ASSERT_EQ(letters.labels->size(), 3);
    EXPECT_EQ(letters.labels->at(0), QStringLiteral(" 12:00:00"));
    EXPECT_EQ(letters.labels->at(1), QStringLiteral(" 7łódź"));
    EXPECT_EQ(letters.labels->at(2), QStringLiteral("12-07-2026 14:30:05ą"));

    for (const char* end : {"", "\r\n", "\n", "\r"}) {
        const LoadedFile file = load(QByteArray("12:00:00 1\r\n12:00:01 2") + end);
        EXPECT_EQ(file.dataLines, 2) << end;
        EXPECT_EQ(valuesOf(file, 0), (std::vector<float>{1, 2})) << end;
    }
    // Empty lines between data lines add nothing; "\r\r" is two line ends.
    const LoadedFile blanks = load("12:00:00 1\r\r\n\n12:00:01 2\r\r");
    EXPECT_EQ(blanks.dataLines, 2);
}

TEST(DataFileLoader, LinesAndLineEndsSplitAcrossReadBlocks) {
    constexpr qsizetype kBlock = 1 << 20; // the reader's block
    // The CR of a CR LF ends the first block; its LF opens the second.
    QByteArray crLf = "opis\r\n";
    fillTo(crLf, kBlock - 1 - 12);
    crLf += "12:00:00 1 2\r\n12:00:01 3\r\n";
    ASSERT_EQ(crLf[kBlock - 1], '\r');
    const LoadedFile first = load(crLf);
    EXPECT_EQ(first.dataLines, 2);
    EXPECT_EQ(valuesOf(first, 0), (std::vector<float>{1, 3}));
    EXPECT_EQ(first.longLine, 0);

    // A CR alone at the end of a block, and a line that runs from one block into the next.
    QByteArray cr = "opis\r\n";
    fillTo(cr, kBlock - 1 - 10);
    cr += "12:00:00 1\r12:00:01 2\r\n";
    fillTo(cr, 2 * kBlock - 5);
    cr += "12:00:02 3\n";
    const LoadedFile second = load(cr);
    EXPECT_EQ(valuesOf(second, 0), (std::vector<float>{1, 2, 3}));
    EXPECT_EQ(*second.labels, korvanta::chart::LabelTexts(QStringList{
                                  QStringLiteral(" 12:00:00"), QStringLiteral(" 12:00:01"),
                                  QStringLiteral(" 12:00:02")}));
}

TEST(DataFileLoader, ValueCountsChooseTheColumnsOfEachLine) {
    // A time line with a non-numeric third word has one value; a date line whose second word is
    // no time adds nothing.
    const LoadedFile file =
        load("opis a b c\r\n12:00:00 5 x 7\r\n2026-07-12 x 1 2\r\n12:00:01 1 2 3\r\n");
    EXPECT_EQ(file.dataLines, 2);
    ASSERT_EQ(file.columns.size(), 3u);
    EXPECT_EQ(valuesOf(file, 0), (std::vector<float>{5, 1}));
    EXPECT_EQ(valuesOf(file, 2), std::vector<float>{3});
    // Column 2 missed the first data line, so its point 0 comes from line 1.
    EXPECT_EQ(file.columns[2].lineOf(0), 1);
    EXPECT_TRUE(file.columns[0].lines.empty());
    EXPECT_EQ(file.labels->at(file.columns[2].lineOf(0)), QStringLiteral(" 12:00:01"));
    EXPECT_EQ(file.lastValueCount, 3);

    const LoadedFile gaps = load("12:00:00 1 2\r\n12:00:01 3\r\n12:00:02 4 5\r\n");
    EXPECT_EQ(gaps.columns[1].lines, (std::vector<int>{0, 2}));
    EXPECT_EQ(gaps.lastValueCount, 2);

    // A data line without a value after the first line still adds a point to column 0 with
    // the value the slot holds from the line before.
    const LoadedFile stale = load("12:00:00 4\r\n12:00:01\r\n");
    EXPECT_EQ(valuesOf(stale, 0), (std::vector<float>{4, 4}));
    EXPECT_EQ(stale.lastValueCount, 1);

    QByteArray forty = "2026-07-12 14:30:05";
    for (int k = 1; k <= 40; ++k) {
        forty += " " + QByteArray::number(k);
    }
    const LoadedFile wide = load(forty);
    ASSERT_EQ(wide.columns.size(), 32u);
    EXPECT_EQ(valuesOf(wide, 31), std::vector<float>{32});

    // Only the first line can be a header.
    const LoadedFile late = load("12:00:00 1\r\nopis x y\r\n");
    EXPECT_EQ(late.names[0], QStringLiteral("k1"));
    EXPECT_EQ(late.description, QString());
}

TEST(DataFileLoader, ALongLineEndsTheReadAfterItsFirstCharacters) {
    QByteArray text = "opis\r\n12:00:00 1\r\n12:00:01 2";
    text += QByteArray(995, ' ') + "9\r\n12:00:02 3\r\n";
    const LoadedFile file = load(text);
    EXPECT_EQ(file.longLine, 3);
    EXPECT_EQ(valuesOf(file, 0), (std::vector<float>{1, 2}));

    // 999 characters and its line end are still a line.
    QByteArray fits = "12:00:00 1" + QByteArray(989, ' ') + "\r\n12:00:01 2";
    ASSERT_EQ(fits.indexOf('\r'), 999);
    const LoadedFile whole = load(fits);
    EXPECT_EQ(whole.longLine, 0);
    EXPECT_EQ(whole.dataLines, 2);

    // One 10 MB line: its first 999 characters are parsed, nothing more.
    QByteArray huge(10 * 1000 * 1000, '7');
    huge.prepend("00:00:00 ");
    const LoadedFile one = load(huge);
    EXPECT_EQ(one.longLine, 1);
    EXPECT_EQ(one.dataLines, 1);
    ASSERT_EQ(one.columns.size(), 1u);
    EXPECT_TRUE(std::isinf(valuesOf(one, 0)[0]));
}

TEST(DataFileLoader, ProgressIsReportedAndCanStopTheLoad) {
    const QByteArray text = timeLines(1000000); // about 17 MB
    std::vector<qint64> reports;
    const LoadedFile all = loadDataBytes(text, [&](qint64 done, qint64 total) {
        EXPECT_EQ(total, text.size());
        reports.push_back(done);
        return true;
    });
    EXPECT_EQ(all.dataLines, 1000000);
    const std::vector<float> values = valuesOf(all, 0);
    for (int k = 0; k < 1000000; ++k) {
        ASSERT_EQ(values[static_cast<std::size_t>(k)], static_cast<float>(k));
    }
    EXPECT_FALSE(all.cancelled);
    ASSERT_GE(reports.size(), 3u);
    EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));

    const LoadedFile part = loadDataBytes(text, [](qint64, qint64) { return false; });
    EXPECT_TRUE(part.cancelled);
    EXPECT_GT(part.dataLines, 0);
    EXPECT_LT(part.dataLines, 1000000);
    EXPECT_EQ(part.labels->size(), part.dataLines);
    EXPECT_EQ(valuesOf(part, 0).size(), static_cast<std::size_t>(part.dataLines));
    EXPECT_EQ(part.labels->at(part.dataLines - 1),
              QStringLiteral(" 00:00:%1").arg(part.dataLines - 1));
}

TEST(DataFileLoader, HostileFilesLoadSafelyOrFailNamingTheFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    const QString empty = dir.filePath(QStringLiteral("empty.dan"));
    writeFile(empty, {});
    const auto nothing = loadDataFile(empty);
    ASSERT_TRUE(nothing.ok());
    EXPECT_TRUE(nothing.value().columns.empty());
    EXPECT_TRUE(nothing.value().labels->isEmpty());
    EXPECT_EQ(nothing.value().lastValueCount, 0);
    EXPECT_EQ(nothing.value().names[0], QStringLiteral("k1"));

    const LoadedFile headerOnly = load("opis k1\r\n");
    EXPECT_TRUE(headerOnly.columns.empty());
    EXPECT_EQ(headerOnly.lastValueCount, 0);

    std::mt19937 random(7);
    QByteArray binary(3 << 20, '\0');
    for (char& c : binary) {
        c = static_cast<char>(random() & 0xFF);
    }
    const QString noise = dir.filePath(QStringLiteral("noise.dan"));
    writeFile(noise, binary);
    const auto read = loadDataFile(noise);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.value().labels->size(), read.value().dataLines);

    const LoadedFile noEnd = load("opis a b\t00:00:01 3");
    EXPECT_EQ(noEnd.dataLines, 0);
    EXPECT_EQ(noEnd.names[1], QStringLiteral("b"));

    QByteArray names = "opis";
    for (int k = 1; k <= 50; ++k) {
        names += " n" + QByteArray::number(k);
    }
    const LoadedFile many = load(names + "\r\n12:00:00 1");
    EXPECT_EQ(many.names[32], QStringLiteral("n33"));
    EXPECT_EQ(many.names.size(), 33u);

    // A directory in place of the file, a missing file, a file that disappeared.
    const QString folder = dir.filePath(QStringLiteral("pomiar.dan"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const auto fromFolder = loadDataFile(folder);
    EXPECT_FALSE(fromFolder.ok());
    EXPECT_TRUE(fromFolder.reason().contains(QStringLiteral("pomiar.dan")));

    const auto missing = loadDataFile(dir.filePath(QStringLiteral("brak.dan")));
    EXPECT_FALSE(missing.ok());
    EXPECT_TRUE(missing.reason().contains(QStringLiteral("brak.dan")));

    const QString gone = dir.filePath(QStringLiteral("sub/znikniety.dan"));
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("sub"))));
    writeFile(gone, "12:00:00 1\r\n");
    ASSERT_TRUE(QDir(dir.filePath(QStringLiteral("sub"))).removeRecursively());
    const auto vanished = loadDataFile(gone);
    EXPECT_FALSE(vanished.ok());
    EXPECT_TRUE(vanished.reason().contains(QStringLiteral("znikniety.dan")));
}
