#include "files/drive_roots.h"

#include <QDir>
#include <gtest/gtest.h>

namespace korvanta::files {
namespace {

TEST(DriveRootsTest, OffersTheRootRealMountsAndHomeOnce) {
    const std::vector<MountedVolume> volumes = {
        {QStringLiteral("/"), "ext4"},
        {QStringLiteral("/proc"), "proc"},
        {QStringLiteral("/sys"), "sysfs"},
        {QStringLiteral("/run"), "tmpfs"},
        {QStringLiteral("/dev/pts"), "devpts"},
        {QStringLiteral("/sys/fs/cgroup"), "cgroup2"},
        {QStringLiteral("/srv/pomiary"), "nfs4"},
        {QStringLiteral("/media/jan/USB/"), "vfat"},
        {QStringLiteral("/home"), "ext4"},
        {QStringLiteral("/media/jan/USB"), "vfat"},
    };
    EXPECT_EQ(
        driveRoots(volumes, QStringLiteral("/home/jan")),
        (QStringList{QStringLiteral("/"), QStringLiteral("/home"), QStringLiteral("/media/jan/USB"),
                     QStringLiteral("/srv/pomiary"), QStringLiteral("/home/jan")}));
    // A home that is a mount point of its own is offered once.
    EXPECT_EQ(driveRoots(volumes, QStringLiteral("/home/")),
              (QStringList{QStringLiteral("/"), QStringLiteral("/home"),
                           QStringLiteral("/media/jan/USB"), QStringLiteral("/srv/pomiary")}));
    EXPECT_EQ(driveRoots({}, QStringLiteral("/")), QStringList{QStringLiteral("/")});
}

TEST(DriveRootsTest, KernelAndMemoryFileSystemsArePseudo) {
    for (const char* type : {"proc", "sysfs", "tmpfs", "devtmpfs", "cgroup", "squashfs"}) {
        EXPECT_TRUE(isPseudoFileSystem(type)) << type;
    }
    for (const char* type : {"ext4", "xfs", "btrfs", "vfat", "exfat", "ntfs3", "nfs", "cifs"}) {
        EXPECT_FALSE(isPseudoFileSystem(type)) << type;
    }
    // What is mounted now starts at the root and holds no kernel file system.
    const QStringList now = currentDriveRoots();
    ASSERT_FALSE(now.isEmpty());
    EXPECT_EQ(now.first(), QDir::rootPath());
    EXPECT_FALSE(now.contains(QStringLiteral("/proc")));
    EXPECT_FALSE(now.contains(QStringLiteral("/sys")));
}

} // namespace
} // namespace korvanta::files
