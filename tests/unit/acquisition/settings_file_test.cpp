#include "acquisition/settings_file.h"
#include "unit/acquisition/settings_record_fields.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>
#include <random>

using namespace korvanta::acquisition;
using namespace korvanta::testing;

namespace {

constexpr qsizetype kSize = static_cast<qsizetype>(SettingsRecord::kSize);

QByteArray bytesOf(const SettingsRecord& r) {
    return QByteArray(reinterpret_cast<const char*>(r.bytes()), kSize);
}

QByteArray randomBytes(qsizetype size, unsigned seed) {
    std::mt19937 random(seed);
    QByteArray b(size, '\0');
    for (char& c : b) {
        c = static_cast<char>(random() & 0xFF);
    }
    return b;
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(content), content.size());
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

SettingsRecord recordOf(const QByteArray& bytes) {
    SettingsRecord r;
    std::memcpy(r.bytes(), bytes.constData(), SettingsRecord::kSize);
    return r;
}

} // namespace

TEST(SettingsFile, FileWrittenByAnotherProgramFillsEveryField) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("korvanta.bupas"));
    const QByteArray image = settingsImage();
    writeFile(path, image);
    SettingsRecord record = recordOf(QByteArray(kSize, '\xEE'));
    ASSERT_TRUE(readSettingsDump(path, record));
    EXPECT_EQ(bytesOf(record), image);
    for (const SettingsField& field : settingsFields()) {
        EXPECT_TRUE(field.holds(record)) << field.name;
    }
}

TEST(SettingsFile, WritingGivesTheSameBytesAsTheTable) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.bupas"));
    SettingsRecord record;
    for (const SettingsField& field : settingsFields()) {
        field.write(record);
    }
    ASSERT_TRUE(writeSettingsDump(path, record));
    EXPECT_EQ(readFile(path), settingsImage());
}

TEST(SettingsFile, FullRoundTripCarriesReservedBytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("round.bupas"));
    const QByteArray original = randomBytes(kSize, 17);
    SettingsRecord record = recordOf(original);
    record.setChannelName(3, QStringLiteral("Moc"));
    record.setUpperLoad(2.25);
    ASSERT_TRUE(writeSettingsDump(path, record));
    EXPECT_EQ(QFileInfo(path).size(), kSize);
    SettingsRecord back = recordOf(QByteArray(kSize, '\0'));
    ASSERT_TRUE(readSettingsDump(path, back));
    EXPECT_EQ(bytesOf(back), bytesOf(record));
    // Reserved regions of the layout keep the original bytes.
    const std::pair<qsizetype, qsizetype> reserved[] = {
        {0, 1},     {3504, 16}, {3536, 2136}, {5674, 1},  {5676, 3228}, {8908, 4},     {16984, 20},
        {19036, 4}, {19133, 3}, {19202, 2},   {19437, 3}, {19444, 4},   {19460, 42180}};
    for (const auto& [offset, size] : reserved) {
        EXPECT_EQ(bytesOf(back).mid(offset, size), original.mid(offset, size)) << offset;
    }
}

TEST(SettingsFile, ShortAndLongFilesReplaceByChunks) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.bupas"));
    const QByteArray start = randomBytes(kSize, 1);

    const QByteArray shortFile = randomBytes(100, 2);
    writeFile(path, shortFile);
    SettingsRecord record = recordOf(start);
    ASSERT_TRUE(readSettingsDump(path, record));
    EXPECT_EQ(bytesOf(record).left(100), shortFile);
    EXPECT_EQ(bytesOf(record).mid(100), start.mid(100));

    const QByteArray first = randomBytes(kSize, 3);
    const QByteArray second = randomBytes(kSize, 4);
    const QByteArray tail = randomBytes(100, 5);
    writeFile(path, first + second + tail);
    record = recordOf(start);
    ASSERT_TRUE(readSettingsDump(path, record));
    EXPECT_EQ(bytesOf(record), tail + second.mid(100));

    writeFile(path, first + second);
    record = recordOf(start);
    ASSERT_TRUE(readSettingsDump(path, record));
    EXPECT_EQ(bytesOf(record), second);

    writeFile(path, QByteArray());
    record = recordOf(start);
    ASSERT_TRUE(readSettingsDump(path, record));
    EXPECT_EQ(bytesOf(record), start);
}

TEST(SettingsFile, MissingFilesAndFailedWrites) {
    QTemporaryDir dir;
    SettingsRecord record = recordOf(randomBytes(kSize, 6));
    const SettingsRecord before = record;
    EXPECT_FALSE(readSettingsDump(dir.filePath(QStringLiteral("none.bupas")), record));
    EXPECT_EQ(bytesOf(record), bytesOf(before));

    const QString nowhere = dir.filePath(QStringLiteral("missing/dir/k.bupas"));
    EXPECT_FALSE(writeSettingsDump(nowhere, record));
    EXPECT_FALSE(QFileInfo::exists(nowhere));
}

TEST(SettingsFile, RewriteReplacesTheFileInsteadOfOverwritingIt) {
    // The old file is never opened for truncation: a reader that holds it open still sees the
    // old bytes, so a write that fails half-way cannot damage it. Nothing else is left behind.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("korvanta.bupas"));
    const QByteArray good = randomBytes(kSize, 7);
    writeFile(path, good);
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    const SettingsRecord replacement = recordOf(randomBytes(kSize, 8));
    ASSERT_TRUE(writeSettingsDump(path, replacement));
    EXPECT_EQ(old.readAll(), good);
    EXPECT_EQ(readFile(path), bytesOf(replacement));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("korvanta.bupas")});
}

TEST(SettingsFile, FileNames) {
    EXPECT_EQ(settingsFileNameFor(QStringLiteral("korvanta")), QStringLiteral("korvanta.bupas"));
    EXPECT_EQ(settingsFileNameFor(QStringLiteral("/x/Korvanta.exe")),
              QStringLiteral("Korvanta.bupas"));
    EXPECT_EQ(settingsFileNameFor(QStringLiteral("/opt/bin/korvanta")),
              QStringLiteral("korvanta.bupas"));
    EXPECT_EQ(configFileName(QStringLiteral("/c/uklad")), QStringLiteral("/c/uklad.bupas"));
    EXPECT_EQ(configFileName(QStringLiteral("/c/uklad.bupas")), QStringLiteral("/c/uklad.bupas"));
    EXPECT_EQ(companionFileName(QStringLiteral("/d/pomiar.dan")), QStringLiteral("/d/pomiar.sett"));
    EXPECT_EQ(companionFileName(QStringLiteral("a.txt")), QStringLiteral("a.sett"));
}
