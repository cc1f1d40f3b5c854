#pragma once
// Real shared-memory blocks created in the test process itself under their own prefix, standing in
// for the acquisition program where a separate simulator process is not needed.

#include "acquisition/acquisition_link.h"
#include "acquisition/control_block.h"
#include "acquisition/tabela.h"

#include <QString>
#include <atomic>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace korvanta::testing {

class FakeAcquisition {
public:
    // Takes a fresh prefix and sets KORVANTA_SHM_PREFIX to it; no block exists yet.
    FakeAcquisition() : m_prefix(uniquePrefix()) {
        qputenv("KORVANTA_SHM_PREFIX", m_prefix.toLatin1());
    }
    // Both blocks as a running acquisition leaves them: `records` zero-filled records, `channels`
    // inputs sampled at `rateHz`.
    explicit FakeAcquisition(int records, int channels = 8, double rateHz = 100.0)
        : FakeAcquisition() {
        acquisition::ControlBlock block = createControlBlock();
        block.setChannelCount(channels);
        block.setRecordCount(records);
        block.setSamplePeriod(1.0 / (rateHz * 86400.0));
        createTable(static_cast<std::size_t>(records) * sizeof(acquisition::Tabela));
    }
    ~FakeAcquisition() {
        removeControlBlock();
        removeTable();
        qunsetenv("KORVANTA_SHM_PREFIX");
    }
    FakeAcquisition(const FakeAcquisition&) = delete;
    FakeAcquisition& operator=(const FakeAcquisition&) = delete;

    // A zero-filled control block of `bytes` bytes (3544 normally) in place of any earlier one.
    acquisition::ControlBlock
    createControlBlock(std::size_t bytes = acquisition::ControlBlock::kSize) {
        removeControlBlock();
        m_control = create(acquisition::AcquisitionLink::kControlBlockName, bytes);
        m_controlBytes = m_control != nullptr ? bytes : 0;
        return acquisition::ControlBlock(m_control);
    }
    // A zero-filled data table object of `bytes` bytes, which need not be whole records.
    acquisition::Tabela* createTable(std::size_t bytes) {
        removeTable();
        m_table = create(acquisition::AcquisitionLink::kDataTableName, bytes);
        m_tableBytes = m_table != nullptr ? bytes : 0;
        return records();
    }
    // Removes the name as an ending acquisition does; a link that mapped the block keeps its view.
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

    acquisition::ControlBlock control() const { return acquisition::ControlBlock(m_control); }
    acquisition::Tabela* records() const { return reinterpret_cast<acquisition::Tabela*>(m_table); }
    // Whole records in the table object.
    int recordCount() const { return static_cast<int>(m_tableBytes / sizeof(acquisition::Tabela)); }
    QString prefix() const { return m_prefix; }

    // Time stamps `start` + i × `step` in every whole record.
    void stampRecords(double start, double step) {
        for (int i = 0; i < recordCount(); ++i) {
            records()[i].timeStamp = start + i * step;
        }
    }
    // Fills every record: time stamps `start` + i × the sample period, input k = value(k, i).
    template <typename Value> void fill(double start, Value value) {
        stampRecords(start, control().samplePeriod());
        for (int i = 0; i < recordCount(); ++i) {
            for (int k = 1; k <= acquisition::Tabela::kInputCount; ++k) {
                records()[i].values[k - 1] = static_cast<float>(value(k, i));
            }
        }
    }

    static QString uniquePrefix() {
        static std::atomic<int> counter{0};
        return QStringLiteral("ut%1_%2_").arg(::getpid()).arg(counter++);
    }

private:
    QByteArray name(const char* block) const {
        return (QLatin1Char('/') + m_prefix + QLatin1String(block)).toLatin1();
    }
    // Maps a new zero-filled object; on failure leaves no name behind.
    unsigned char* create(const char* block, std::size_t bytes) {
        const QByteArray n = name(block);
        const int fd = shm_open(n.constData(), O_CREAT | O_RDWR | O_TRUNC, 0600);
        if (fd < 0) {
            return nullptr;
        }
        void* p = ftruncate(fd, static_cast<off_t>(bytes)) == 0
                      ? mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0)
                      : MAP_FAILED;
        close(fd);
        if (p == MAP_FAILED) {
            shm_unlink(n.constData());
            return nullptr;
        }
        return static_cast<unsigned char*>(p);
    }

    QString m_prefix;
    unsigned char* m_control = nullptr;
    std::size_t m_controlBytes = 0;
    unsigned char* m_table = nullptr;
    std::size_t m_tableBytes = 0;
};

} // namespace korvanta::testing
