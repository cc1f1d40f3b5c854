#include "files/raw_text.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korvanta::files {
namespace {

class RawTextTest : public ::testing::Test {
protected:
    QString write(const QByteArray& bytes) {
        const QString path = dir.filePath(QStringLiteral("pomiar.dan"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(RawTextTest, LinesComeBackUnchangedWhateverTheirEnds) {
    // Code page 1250: 0xB9 'ą', 0x9C 'ś'; blanks and tabs are kept as they are.
    const auto raw =
        readRawText(write("Opis k1 k3 \r\n10:00:00.000  1.5\t2\r\n\r\nz\xb9 \x9c\nx\ry"));
    ASSERT_TRUE(raw) << raw.reason().toStdString();
    EXPECT_EQ(raw.value().text, QStringLiteral("Opis k1 k3 \n10:00:00.000  1.5\t2\n\nzą ś\nx\ny"));
    EXPECT_EQ(raw.value().lines, 6);
    EXPECT_FALSE(raw.value().cancelled);

    // One final line break ends the last line; it adds no empty line.
    EXPECT_EQ(readRawText(write("a\r\nb\r\n")).value().text, QStringLiteral("a\nb"));
    EXPECT_EQ(readRawText(write("a\r\nb\r\n\r\n")).value().text, QStringLiteral("a\nb\n"));
    const auto empty = readRawText(write(""));
    EXPECT_EQ(empty.value().text, QString());
    EXPECT_EQ(empty.value().lines, 0);
}

TEST_F(RawTextTest, AMissingFileFailsWithItsName) {
    const auto raw = readRawText(dir.filePath(QStringLiteral("brak.dan")));
    ASSERT_FALSE(raw);
    EXPECT_TRUE(raw.reason().contains(QStringLiteral("brak.dan"))) << raw.reason().toStdString();
}

TEST_F(RawTextTest, ACancelledReadKeepsTheWholeLinesReadSoFar) {
    // Lines of 11 bytes, over two read chunks, cancelled after the first chunk.
    QByteArray bytes;
    int written = 0;
    while (bytes.size() < 3 * (1 << 20) / 2) {
        bytes += QByteArray::number(written++).rightJustified(9, '0') + "\r\n";
    }
    const QString path = write(bytes);
    std::vector<qint64> seen;
    const auto raw = readRawText(path, [&](qint64 done, qint64 total) {
        EXPECT_EQ(total, bytes.size());
        seen.push_back(done);
        return false;
    });
    ASSERT_TRUE(raw);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(raw.value().cancelled);
    // 1 MiB holds 95325 whole lines of 11 bytes.
    EXPECT_EQ(raw.value().lines, (1 << 20) / 11);
    EXPECT_TRUE(raw.value().text.endsWith(
        QString::number((1 << 20) / 11 - 1).rightJustified(9, QLatin1Char('0'))));

    // A callback that lets the read go on sees the bytes grow to the whole file.
    seen.clear();
    const auto whole = readRawText(path, [&](qint64 done, qint64) {
        seen.push_back(done);
        return true;
    });
    EXPECT_FALSE(whole.value().cancelled);
    EXPECT_EQ(whole.value().lines, written);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen.back(), bytes.size());
}

} // namespace
} // namespace korvanta::files
