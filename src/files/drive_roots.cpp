#include "files/drive_roots.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <algorithm>
#include <array>

namespace korvanta::files {

bool isPseudoFileSystem(const QByteArray& fileSystemType) {
    static constexpr std::array<const char*, 24> kPseudo = {
        "autofs",     "binfmt_misc", "bpf",      "cgroup",   "cgroup2", "configfs",
        "debugfs",    "devpts",      "devtmpfs", "efivarfs", "fusectl", "hugetlbfs",
        "mqueue",     "nsfs",        "proc",     "pstore",   "ramfs",   "rpc_pipefs",
        "securityfs", "selinuxfs",   "squashfs", "sysfs",    "tmpfs",   "tracefs",
    };
    return std::any_of(kPseudo.begin(), kPseudo.end(),
                       [&](const char* type) { return fileSystemType == type; });
}

QStringList driveRoots(const std::vector<MountedVolume>& volumes, const QString& home) {
    const QString root = QDir::rootPath();
    QStringList mounts;
    for (const MountedVolume& volume : volumes) {
        const QString path = QDir::cleanPath(volume.rootPath);
        if (!path.isEmpty() && path != root && !isPseudoFileSystem(volume.fileSystemType) &&
            !mounts.contains(path)) {
            mounts << path;
        }
    }
    std::sort(mounts.begin(), mounts.end());
    QStringList roots{root};
    roots << mounts;
    const QString cleanHome = QDir::cleanPath(home);
    if (!cleanHome.isEmpty() && !roots.contains(cleanHome)) {
        roots << cleanHome;
    }
    return roots;
}

QStringList currentDriveRoots() {
    std::vector<MountedVolume> volumes;
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes()) {
        // Single files bound into a container's tree are mounts too, but no place to browse.
        if (storage.isValid() && storage.isReady() && QFileInfo(storage.rootPath()).isDir()) {
            volumes.push_back({storage.rootPath(), storage.fileSystemType()});
        }
    }
    return driveRoots(volumes, QDir::homePath());
}

} // namespace korvanta::files
