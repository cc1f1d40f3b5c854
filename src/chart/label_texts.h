#pragma once
// Many short label texts in one block: their UTF-8 bytes back to back and where each ends, so a
// file's million point labels cost their characters and one offset each instead of a string each.

#include <QString>
#include <QStringList>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korvanta::chart {

class LabelTexts {
public:
    LabelTexts() = default;
    explicit LabelTexts(const QStringList& texts);

    // Room for this many texts of this many bytes in all, so a large block grows once.
    void reserve(std::size_t texts, std::size_t bytes);
    void append(const QString& text);
    // A text given as its UTF-8 bytes.
    void append(std::string_view utf8);
    // Gives spare capacity back when it exceeds an eighth of what is held.
    void squeeze();

    int size() const { return static_cast<int>(m_ends.size()); }
    bool isEmpty() const { return m_ends.empty(); }
    // The text at `index`, 0 <= index < size().
    QString at(int index) const;
    // The bytes held, spare capacity included.
    std::size_t bytes() const;
    // The bytes of the texts alone.
    std::size_t textBytes() const { return m_utf8.size(); }

    bool operator==(const LabelTexts& other) const = default;

private:
    std::string m_utf8;
    std::vector<std::size_t> m_ends; // m_ends[i] is the end of text i in m_utf8
};

} // namespace korvanta::chart
