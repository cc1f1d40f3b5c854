#include "platform/shared_memory.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace korvanta::platform {

SharedMemoryView::~SharedMemoryView() {
    release();
}

SharedMemoryView::SharedMemoryView(SharedMemoryView&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0)),
      m_device(other.m_device), m_inode(other.m_inode) {}

SharedMemoryView& SharedMemoryView::operator=(SharedMemoryView&& other) noexcept {
    if (this != &other) {
        release();
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_device = other.m_device;
        m_inode = other.m_inode;
    }
    return *this;
}

void SharedMemoryView::release() {
    if (m_data != nullptr) {
        munmap(m_data, m_size);
        m_data = nullptr;
        m_size = 0;
    }
}

QString SharedMemoryView::fullName(const QString& name) {
    const QString prefix = qEnvironmentVariable("KORVANTA_SHM_PREFIX");
    return QLatin1Char('/') + prefix + name;
}

bool SharedMemoryView::isCurrentObject(const QString& name) const {
    const QByteArray path = fullName(name).toLocal8Bit();
    const int fd = shm_open(path.constData(), O_RDONLY, 0);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    const bool same = fstat(fd, &info) == 0 && info.st_dev == m_device && info.st_ino == m_inode;
    close(fd);
    return same;
}

SharedMemoryView SharedMemoryView::openExisting(const QString& name, std::size_t wantedBytes) {
    SharedMemoryView view;
    const QByteArray path = fullName(name).toLocal8Bit();
    const int fd = shm_open(path.constData(), O_RDWR, 0);
    if (fd < 0) {
        return view;
    }
    struct stat info {};
    std::size_t bytes = wantedBytes;
    if (fstat(fd, &info) == 0 && info.st_size >= 0) {
        // A view past the object's end would raise SIGBUS on first touch.
        if (static_cast<std::size_t>(info.st_size) < bytes) {
            bytes = static_cast<std::size_t>(info.st_size);
        }
    } else {
        bytes = 0;
    }
    if (bytes > 0) {
        void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        if (p != MAP_FAILED) {
            view.m_data = static_cast<unsigned char*>(p);
            view.m_size = bytes;
            view.m_device = info.st_dev;
            view.m_inode = info.st_ino;
        }
    }
    close(fd);
    return view;
}

} // namespace korvanta::platform
