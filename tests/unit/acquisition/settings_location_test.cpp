// The settings file stays in the start directory unless the program's own directory cannot be
// written (an installed program), when it moves to the user's directory.
#include "acquisition/settings_location.h"
#include "support/read_only_directory.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korvanta::acquisition {
namespace {

TEST(SettingsLocation, IsTheStartDirectoryUnlessTheProgramDirectoryIsReadOnly) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString program = dir.filePath(QStringLiteral("bin"));
    const QString start = dir.filePath(QStringLiteral("start"));
    const QString user = dir.filePath(QStringLiteral("home/.local/share/Korvanta"));
    ASSERT_TRUE(QDir().mkpath(program));
    ASSERT_TRUE(QDir().mkpath(start));

    EXPECT_EQ(settingsDirectoryFor(program, start, user), start);
    EXPECT_FALSE(QFileInfo::exists(user));

    testing::ReadOnlyDirectory readOnly(program);
    if (!readOnly.holds()) {
        GTEST_SKIP() << "this process can write any directory here";
    }
    EXPECT_EQ(settingsDirectoryFor(program, start, user), user);
    EXPECT_TRUE(QFileInfo(user).isDir());

    // A user directory that cannot be made (a file stands in its way) leaves the start one.
    QFile blocker(dir.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_EQ(
        settingsDirectoryFor(program, start, blocker.fileName() + QStringLiteral("/Korvanta")),
        start);
    EXPECT_EQ(settingsDirectoryFor(program, start, QString()), start);
}

} // namespace
} // namespace korvanta::acquisition
