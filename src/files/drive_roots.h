#pragma once
// The places the drive box offers: the file-system root, the mount points of real file systems
// (disks, removable media, network shares) and the home directory.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace korvanta::files {

struct MountedVolume {
    QString rootPath;
    QByteArray fileSystemType;
};

// Kernel and memory file systems (proc, sysfs, tmpfs, cgroup, …) hold no measurement files.
bool isPseudoFileSystem(const QByteArray& fileSystemType);

// The root first, then the other mount points of real file systems in name order, then the home
// directory; each place once.
QStringList driveRoots(const std::vector<MountedVolume>& volumes, const QString& home);

// The same for the volumes mounted now and the user's home directory.
QStringList currentDriveRoots();

} // namespace korvanta::files
