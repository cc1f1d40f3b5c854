#include "acquisition/settings_file.h"
#include "unit/acquisition/settings_record_fields.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>
#include <sys/sysmacros.h>

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

// The kind of file at `path` itself, not at the end of a link.
mode_t kindOf(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? (info.st_mode & S_IFMT) : 0;
}

QString makeFifo(const QTemporaryDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    return path;
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

TEST(SettingsFile, ReadsOnlyRegularFilesOfBoundedLength) {
    QTemporaryDir dir;
    const QByteArray start = randomBytes(kSize, 9);
    SettingsRecord record = recordOf(start);
    // A device that never ends, a pipe nobody writes to and a directory are refused unopened.
    const QString refused[] = {QStringLiteral("/dev/zero"), makeFifo(dir, QStringLiteral("p")),
                               dir.path()};
    for (const QString& path : refused) {
        const auto read = readSettingsDump(path, record);
        EXPECT_FALSE(read) << path.toStdString();
        EXPECT_TRUE(read.reason().contains(QStringLiteral("not a regular file")))
            << read.reason().toStdString();
        EXPECT_EQ(bytesOf(record), start) << path.toStdString();
    }

    // The longest file taken: its last chunk wins, as for any long file.
    const QString longest = dir.filePath(QStringLiteral("long.bupas"));
    const QByteArray last = randomBytes(kSize, 10);
    {
        QFile file(longest);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(kSize * (kMaxSettingsChunks - 1)));
        ASSERT_TRUE(file.seek(kSize * (kMaxSettingsChunks - 1)));
        ASSERT_EQ(file.write(last), kSize);
    }
    ASSERT_TRUE(readSettingsDump(longest, record));
    EXPECT_EQ(bytesOf(record), last);

    // One byte more and it is no dump: refused, the record unchanged.
    record = recordOf(start);
    {
        QFile file(longest);
        ASSERT_TRUE(file.open(QIODevice::Append));
        ASSERT_EQ(file.write("x", 1), 1);
    }
    const auto tooLong = readSettingsDump(longest, record);
    EXPECT_FALSE(tooLong);
    EXPECT_TRUE(tooLong.reason().startsWith(QStringLiteral("long.bupas")))
        << tooLong.reason().toStdString();
    EXPECT_EQ(bytesOf(record), start);

    // A link to a regular file reads the file.
    const QString link = dir.filePath(QStringLiteral("link.bupas"));
    writeFile(dir.filePath(QStringLiteral("real.bupas")), last);
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("real.bupas")), link));
    record = recordOf(start);
    ASSERT_TRUE(readSettingsDump(link, record));
    EXPECT_EQ(bytesOf(record), last);
}

TEST(SettingsFile, WritesOnlyToARegularFileOrAMissingOne) {
    QTemporaryDir dir;
    const SettingsRecord record = recordOf(randomBytes(kSize, 11));
    const QString target = dir.filePath(QStringLiteral("system.conf"));
    const QByteArray original("not to be replaced");
    writeFile(target, original);
    const QString link = dir.filePath(QStringLiteral("korvanta.bupas"));
    ASSERT_TRUE(QFile::link(target, link));
    const QString fifo = makeFifo(dir, QStringLiteral("pipe.bupas"));
    const QString directory = dir.filePath(QStringLiteral("dir.bupas"));
    ASSERT_TRUE(QDir().mkpath(directory));
    // A device node of the null device, where this user may make one.
    const QString device = dir.filePath(QStringLiteral("null.bupas"));
    const bool haveDevice =
        ::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0600, makedev(1, 3)) == 0;

    const std::pair<QString, mode_t> refused[] = {
        {link, S_IFLNK}, {fifo, S_IFIFO}, {directory, S_IFDIR}, {device, S_IFCHR}};
    for (const auto& [path, kind] : refused) {
        if (kind == S_IFCHR && !haveDevice) {
            continue;
        }
        const auto written = writeSettingsDump(path, record);
        EXPECT_FALSE(written) << path.toStdString();
        EXPECT_TRUE(written.reason().startsWith(QFileInfo(path).fileName()))
            << written.reason().toStdString();
        EXPECT_EQ(kindOf(path), kind) << path.toStdString();
    }
    EXPECT_EQ(readFile(target), original);

    ASSERT_TRUE(writeSettingsDump(target, record));
    EXPECT_EQ(readFile(target), bytesOf(record));
    const QString fresh = dir.filePath(QStringLiteral("fresh.bupas"));
    ASSERT_TRUE(writeSettingsDump(fresh, record));
    EXPECT_EQ(readFile(fresh), bytesOf(record));
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
