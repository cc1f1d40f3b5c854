#include "files/spreadsheet_copy.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace korvanta::files;

namespace {

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(content), content.size());
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class SpreadsheetCopy : public ::testing::Test {
protected:
    QByteArray convert(const QByteArray& source) {
        const QString from = m_dir.filePath(QStringLiteral("pomiar.dan"));
        const QString to = m_dir.filePath(QStringLiteral("pomiar.dan.txt"));
        writeFile(from, source);
        EXPECT_EQ(writeSpreadsheetCopy(from, to), SpreadsheetCopyOutcome::Written);
        return readFile(to);
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(SpreadsheetCopy, SpacesBecomeOneTabPointsCommasAndLineEndsLf) {
    EXPECT_EQ(convert("2026-07-12 14:30:05.000  1.25\r\n"),
              QByteArray("2026-07-12\t14:30:05,000\t1,25\n"));
    EXPECT_EQ(convert("12:00:00    .5\r\n"), QByteArray("12:00:00\t,5\n"));
    EXPECT_EQ(convert("a 1   "), QByteArray("a\t1\t"));
    EXPECT_EQ(convert("a\r\nb\nc\rd\r\re"), QByteArray("a\nb\nc\nd\n\ne"));
    // Tabs and other bytes are copied as they are.
    EXPECT_EQ(convert(QByteArray("x\ty \xB3\0z", 7)), QByteArray("x\ty\t\xB3\0z", 7));
    EXPECT_EQ(convert(""), QByteArray());
}

TEST_F(SpreadsheetCopy, RunsAndLineEndsAcrossReadBlocks) {
    QByteArray source(1 << 20, 'x');
    source[(1 << 20) - 2] = ' ';
    source[(1 << 20) - 1] = ' ';
    source += "  1.5\r";
    QByteArray crLf(1 << 20, 'y');
    crLf[(1 << 20) - 1] = '\r';
    source += crLf + "\nz";
    const QByteArray copy = convert(source);
    QByteArray expected((1 << 20) - 2, 'x');
    expected += "\t1,5\n" + QByteArray((1 << 20) - 1, 'y') + "\nz";
    EXPECT_EQ(copy, expected);
}

TEST_F(SpreadsheetCopy, MissingSourceLeavesAnEarlierCopyAndFailuresAreTold) {
    const QString copy = m_dir.filePath(QStringLiteral("pomiar.dan.txt"));
    writeFile(copy, "earlier");
    EXPECT_EQ(writeSpreadsheetCopy(m_dir.filePath(QStringLiteral("pomiar.dan")), copy),
              SpreadsheetCopyOutcome::SourceMissing);
    EXPECT_EQ(readFile(copy), QByteArray("earlier"));

    const QString folder = m_dir.filePath(QStringLiteral("katalog.dan"));
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_EQ(writeSpreadsheetCopy(folder, copy), SpreadsheetCopyOutcome::SourceMissing);
    EXPECT_EQ(readFile(copy), QByteArray("earlier"));

    const QString source = m_dir.filePath(QStringLiteral("wynik.txt"));
    writeFile(source, "1.5");
    EXPECT_EQ(writeSpreadsheetCopy(source, m_dir.filePath(QStringLiteral("brak/wynik.txt.txt"))),
              SpreadsheetCopyOutcome::CopyFailed);
    EXPECT_EQ(writeSpreadsheetCopy(source, folder), SpreadsheetCopyOutcome::CopyFailed);
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST(SpreadsheetCopyName, BareNameWithTxtAndWhichHandOffConverts) {
    EXPECT_EQ(spreadsheetCopyName(QStringLiteral("pomiar.dan")), QStringLiteral("pomiar.dan.txt"));
    EXPECT_EQ(spreadsheetCopyName(QStringLiteral("/dane/wynik.txt")),
              QStringLiteral("wynik.txt.txt"));

    EXPECT_TRUE(convertsForSpreadsheet(QStringLiteral("pomiar.dan"), false));
    EXPECT_TRUE(convertsForSpreadsheet(QStringLiteral("/d.x/pomiar.dan"), true));
    EXPECT_FALSE(convertsForSpreadsheet(QStringLiteral("wynik.txt"), false));
    EXPECT_TRUE(convertsForSpreadsheet(QStringLiteral("wynik.txt"), true));
    for (const char* name : {"POMIAR.DAN", "wynik.Txt", "pomiar.dan.bak", "pomiar", "d.dan/x"}) {
        EXPECT_FALSE(convertsForSpreadsheet(QLatin1String(name), true)) << name;
    }
}
