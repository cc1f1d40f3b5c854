#pragma once
// Shared blocks made by a test, in place of the acquisition program, under their own prefix.

#include "acquisition/acquisition_link.h"
#include "acquisition/control_block.h"
#include "acquisition/tabela.h"

#include <QString>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace korvanta::testing {

class TestSharedBlocks {
public:
    // Sets KORVANTA_SHM_PREFIX to a fresh prefix for the link under test.
    TestSharedBlocks() : m_prefix(QStringLiteral("u%1_%2_").arg(getpid()).arg(++counter())) {
        qputenv("KORVANTA_SHM_PREFIX", m_prefix.toLocal8Bit());
    }
    ~TestSharedBlocks() {
        removeControlBlock();
        removeTable();
        qunsetenv("KORVANTA_SHM_PREFIX");
    }
    TestSharedBlocks(const TestSharedBlocks&) = delete;
    TestSharedBlocks& operator=(const TestSharedBlocks&) = delete;

    // A control block of `bytes` bytes (3544 normally), zero-filled.
    acquisition::ControlBlock
    createControlBlock(std::size_t bytes = acquisition::ControlBlock::kSize) {
        removeControlBlock();
        m_control = static_cast<unsigned char*>(
            create(acquisition::AcquisitionLink::kControlBlockName, bytes));
        m_controlBytes = bytes;
        return acquisition::ControlBlock(m_control);
    }
    // A data table object of `bytes` bytes whose record i holds time stamp i + 1.
    acquisition::Tabela* createTable(std::size_t bytes) {
        removeTable();
        m_table = static_cast<unsigned char*>(
            create(acquisition::AcquisitionLink::kDataTableName, bytes));
        m_tableBytes = bytes;
        auto* records = reinterpret_cast<acquisition::Tabela*>(m_table);
        for (std::size_t i = 0; i < bytes / sizeof(acquisition::Tabela); ++i) {
            records[i].timeStamp = static_cast<double>(i + 1);
        }
        return records;
    }
    // Removes the control block name (the object lives on while someone maps it).
    void removeControlBlock() {
        if (m_control != nullptr) {
            munmap(m_control, m_controlBytes);
            shm_unlink(name(acquisition::AcquisitionLink::kControlBlockName).constData());
            m_control = nullptr;
        }
    }
    void removeTable() {
        if (m_table != nullptr) {
            munmap(m_table, m_tableBytes);
            shm_unlink(name(acquisition::AcquisitionLink::kDataTableName).constData());
            m_table = nullptr;
        }
    }

private:
    static int& counter() {
        static int value = 0;
        return value;
    }
    QByteArray name(const char* block) const {
        return (QLatin1Char('/') + m_prefix + QLatin1String(block)).toLocal8Bit();
    }
    void* create(const char* block, std::size_t bytes) {
        const QByteArray path = name(block);
        const int fd = shm_open(path.constData(), O_CREAT | O_RDWR | O_TRUNC, 0600);
        if (fd < 0 || ftruncate(fd, static_cast<off_t>(bytes)) != 0) {
            return nullptr;
        }
        void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        close(fd);
        return p == MAP_FAILED ? nullptr : p;
    }

    QString m_prefix;
    unsigned char* m_control = nullptr;
    std::size_t m_controlBytes = 0;
    unsigned char* m_table = nullptr;
    std::size_t m_tableBytes = 0;
};

} // namespace korvanta::testing
