#pragma once
// Makes a directory that the test process cannot write, for the while the object lives: its
// write permission is taken away and, since that does not stop the superuser, it is also marked
// immutable when the process runs as root (where the file system allows it).

#include <QFile>
#include <QString>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace korvanta::testing {

class ReadOnlyDirectory {
public:
    explicit ReadOnlyDirectory(QString path) : m_path(std::move(path)) {
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                          QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
        if (geteuid() == 0) {
            m_immutable = setImmutable(true);
        }
    }
    ~ReadOnlyDirectory() {
        if (m_immutable) {
            setImmutable(false);
        }
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    ReadOnlyDirectory(const ReadOnlyDirectory&) = delete;
    ReadOnlyDirectory& operator=(const ReadOnlyDirectory&) = delete;

    // False when the process can still write there (root on a file system without the flag).
    bool holds() const { return access(QFile::encodeName(m_path).constData(), W_OK) != 0; }

private:
    bool setImmutable(bool on) const {
        const int fd = open(QFile::encodeName(m_path).constData(), O_RDONLY | O_DIRECTORY);
        if (fd < 0) {
            return false;
        }
        int flags = 0;
        bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        close(fd);
        return done;
    }

    QString m_path;
    bool m_immutable = false;
};

} // namespace korvanta::testing
