#pragma once
// Many short label texts in one block: their UTF-8 bytes back to back and where each ends, so a
// file's million point labels cost their characters and one offset each instead of a string each.

#include <QString>
#include <QStringList>
#include <cstddef>
#include <string>
#include <vector>

namespace korvanta::chart {

class LabelTexts {
public:
    LabelTexts() = default;
    explicit LabelTexts(const QStringList& texts);

    int size() const { return static_cast<int>(m_ends.size()); }
    // The text at `index`, 0 <= index < size().
    QString at(int index) const;
    // The bytes held, spare capacity included.
    std::size_t bytes() const;

private:
    void append(const QString& text);

    std::string m_utf8;
    std::vector<std::size_t> m_ends; // m_ends[i] is the end of text i in m_utf8
};

} // namespace korvanta::chart
