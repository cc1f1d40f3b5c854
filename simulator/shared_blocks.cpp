#include "shared_blocks.h"

#include "acquisition/acquisition_link.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace korvanta::simulator {
namespace {

using acquisition::AcquisitionLink;
using acquisition::ControlBlock;
using acquisition::Tabela;

QByteArray blockName(const QString& prefix, const char* name) {
    return (QLatin1Char('/') + prefix + QLatin1String(name)).toLocal8Bit();
}

// Maps `size` zero-filled bytes of the named object; null on failure.
void* createBlock(const QByteArray& name, std::size_t size, QString& error) {
    const int fd = shm_open(name.constData(), O_CREAT | O_RDWR, 0600);
    if (fd < 0) {
        error = QStringLiteral("cannot create %1: %2")
                    .arg(QString::fromLocal8Bit(name), QString::fromLocal8Bit(strerror(errno)));
        return nullptr;
    }
    void* p = MAP_FAILED;
    if (ftruncate(fd, static_cast<off_t>(size)) == 0) {
        p = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    }
    if (p == MAP_FAILED) {
        error = QStringLiteral("cannot map %1: %2")
                    .arg(QString::fromLocal8Bit(name), QString::fromLocal8Bit(strerror(errno)));
        close(fd);
        shm_unlink(name.constData());
        return nullptr;
    }
    close(fd);
    // A block left behind by an earlier run keeps its bytes through ftruncate.
    std::memset(p, 0, size);
    return p;
}

} // namespace

std::unique_ptr<SharedBlocks> SharedBlocks::create(const QString& prefix, int recordCount,
                                                   QString& error) {
    std::unique_ptr<SharedBlocks> blocks(new SharedBlocks());
    if (!blocks->map(prefix, recordCount, error)) {
        return nullptr;
    }
    return blocks;
}

bool SharedBlocks::map(const QString& prefix, int recordCount, QString& error) {
    m_controlName = blockName(prefix, AcquisitionLink::kControlBlockName);
    m_tableName = blockName(prefix, AcquisitionLink::kDataTableName);
    m_control = static_cast<unsigned char*>(createBlock(m_controlName, ControlBlock::kSize, error));
    if (m_control == nullptr) {
        return false;
    }
    const std::size_t tableBytes = static_cast<std::size_t>(recordCount) * sizeof(Tabela);
    m_records = static_cast<Tabela*>(createBlock(m_tableName, tableBytes, error));
    if (m_records == nullptr) {
        return false;
    }
    m_recordCount = recordCount;
    return true;
}

SharedBlocks::~SharedBlocks() {
    if (m_records != nullptr) {
        munmap(m_records, static_cast<std::size_t>(m_recordCount) * sizeof(Tabela));
        shm_unlink(m_tableName.constData());
    }
    if (m_control != nullptr) {
        munmap(m_control, ControlBlock::kSize);
        shm_unlink(m_controlName.constData());
    }
}

} // namespace korvanta::simulator
