#pragma once
// The two shared blocks as the acquisition program creates them, removed again on destruction.

#include "acquisition/control_block.h"
#include "acquisition/tabela.h"

#include <QString>
#include <cstddef>
#include <memory>

namespace korvanta::simulator {

class SharedBlocks {
public:
    // Creates (or takes over and clears) "/<prefix>Ustawienia" and "/<prefix>Tablica_Danych"
    // with room for `recordCount` records, both zero-filled. Null, with `error` set, on failure.
    static std::unique_ptr<SharedBlocks> create(const QString& prefix, int recordCount,
                                                QString& error);
    ~SharedBlocks();
    SharedBlocks(const SharedBlocks&) = delete;
    SharedBlocks& operator=(const SharedBlocks&) = delete;

    acquisition::ControlBlock control() const { return acquisition::ControlBlock(m_control); }
    acquisition::Tabela& record(int index) const { return m_records[index]; }
    int recordCount() const { return m_recordCount; }

private:
    SharedBlocks() = default;
    bool map(const QString& prefix, int recordCount, QString& error);

    QByteArray m_controlName;
    QByteArray m_tableName;
    unsigned char* m_control = nullptr;
    acquisition::Tabela* m_records = nullptr;
    int m_recordCount = 0;
};

} // namespace korvanta::simulator
