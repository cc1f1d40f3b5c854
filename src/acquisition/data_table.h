#pragma once
// The data table: N records used as a ring, viewed in place (never copied).

#include "acquisition/tabela.h"

namespace korvanta::acquisition {

class DataTable {
public:
    DataTable() = default;
    // `records` must hold `count` records for as long as this view is used.
    DataTable(Tabela* records, int count) : m_records(records), m_count(count > 0 ? count : 0) {}

    int size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    Tabela* data() const { return m_records; }
    // i must be in 0..size()-1.
    Tabela& record(int i) const { return m_records[i]; }
    // The record before record i: i - 1, or N - 1 for i = 0.
    int previousIndex(int i) const { return i == 0 ? m_count - 1 : i - 1; }
    // The record after record i: i + 1, or 0 after N - 1.
    int nextIndex(int i) const { return i + 1 >= m_count ? 0 : i + 1; }

private:
    Tabela* m_records = nullptr;
    int m_count = 0;
};

} // namespace korvanta::acquisition
