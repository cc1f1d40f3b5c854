#pragma once
// The line parser of measurement text files: classifies one line as a data line (date line, time
// line or numbered line) or not, and reads its date, time and up to 32 values. A header line (the
// first line of a file when it is not a data line) gives the column names.

#include <QString>
#include <array>
#include <string_view>

namespace korvanta::files {

class Linia1RQ {
public:
    static constexpr int kMaxValues = 32;
    static constexpr int kNameCount = 33;
    static constexpr int kMaxLineLength = 999; // characters of a line that are taken

    Linia1RQ() { reset(); }
    // Names back to "k1" … "k32" (name 32 empty), values 0, counts 0, flags false.
    void reset();
    // Parses one line (code page 1250 bytes, without its line end; at most kMaxLineLength
    // bytes are looked at). Sets the process-wide decimal separator to '.'.
    void parse(std::string_view line);
    // Takes the line as the header: the words after the first become names 0 … 32.
    void parseHeader(std::string_view line);

    bool dataLine() const { return m_dataLine; }
    bool hasDate() const { return m_hasDate; }
    bool hasTime() const { return m_hasTime; }
    std::string_view date() const { return m_date; } // valid until the next parse
    std::string_view time() const { return m_time; } // valid until the next parse
    int valueCount() const { return m_valueCount; }
    void setValueCount(int count) { m_valueCount = count; }
    int dataLineCount() const { return m_dataLineCount; }
    float value(int index) const { return m_values[static_cast<std::size_t>(index)]; }
    const QString& name(int index) const { return m_names[static_cast<std::size_t>(index)]; }
    const QString& description() const { return m_description; }

private:
    std::array<float, kMaxValues> m_values{};
    std::array<QString, kNameCount> m_names;
    QString m_description;
    std::string_view m_date;
    std::string_view m_time;
    int m_valueCount = 0;
    int m_dataLineCount = 0;
    bool m_hasDate = false;
    bool m_hasTime = false;
    bool m_dataLine = false;
};

} // namespace korvanta::files
