#pragma once
// Real shared-memory blocks created in the test process itself, standing in for the
// acquisition program where a separate simulator process is not needed.

#include "acquisition/control_block.h"
#include "acquisition/tabela.h"

#include <QString>
#include <atomic>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace korvanta::testing {

class FakeAcquisition {
public:
    // Creates "/<prefix>Ustawienia" and "/<prefix>Tablica_Danych" with `records` records,
    // sets KORVANTA_SHM_PREFIX to the prefix.
    explicit FakeAcquisition(int records = 1000, int channels = 8, double rateHz = 100.0)
        : m_prefix(uniquePrefix()) {
        m_control = create("Ustawienia", acquisition::ControlBlock::kSize);
        m_tableBytes = static_cast<std::size_t>(records) * sizeof(acquisition::Tabela);
        m_table = create("Tablica_Danych", m_tableBytes);
        acquisition::ControlBlock block = control();
        block.setChannelCount(channels);
        block.setRecordCount(records);
        block.setSamplePeriod(1.0 / (rateHz * 86400.0));
        qputenv("KORVANTA_SHM_PREFIX", m_prefix.toLatin1());
    }
    ~FakeAcquisition() {
        munmap(m_control, acquisition::ControlBlock::kSize);
        munmap(m_table, m_tableBytes);
        shm_unlink(name("Ustawienia").constData());
        shm_unlink(name("Tablica_Danych").constData());
        qunsetenv("KORVANTA_SHM_PREFIX");
    }
    FakeAcquisition(const FakeAcquisition&) = delete;
    FakeAcquisition& operator=(const FakeAcquisition&) = delete;

    acquisition::ControlBlock control() const { return acquisition::ControlBlock(m_control); }
    acquisition::Tabela* records() const { return reinterpret_cast<acquisition::Tabela*>(m_table); }
    int recordCount() const { return static_cast<int>(m_tableBytes / sizeof(acquisition::Tabela)); }
    QString prefix() const { return m_prefix; }

    // Fills every record: time stamps `start` + i × period, input k = value(k, i).
    template <typename Value> void fill(double start, Value value) {
        const double period = control().samplePeriod();
        for (int i = 0; i < recordCount(); ++i) {
            acquisition::Tabela& r = records()[i];
            r.timeStamp = start + i * period;
            for (int k = 1; k <= acquisition::Tabela::kInputCount; ++k) {
                r.values[k - 1] = static_cast<float>(value(k, i));
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
    unsigned char* create(const char* block, std::size_t bytes) {
        const QByteArray n = name(block);
        const int fd = shm_open(n.constData(), O_CREAT | O_RDWR | O_TRUNC, 0600);
        if (fd < 0 || ftruncate(fd, static_cast<off_t>(bytes)) != 0) {
            return nullptr;
        }
        void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        close(fd);
        return p == MAP_FAILED ? nullptr : static_cast<unsigned char*>(p);
    }

    QString m_prefix;
    unsigned char* m_control = nullptr;
    unsigned char* m_table = nullptr;
    std::size_t m_tableBytes = 0;
};

} // namespace korvanta::testing
