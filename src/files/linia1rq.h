#pragma once
// The line parser of measurement text files: classifies one line as a data line (date line, time
// line or numbered line) or not, and reads its date, time and up to 32 values. A header line (the
// first line of a file when it is not a data line) gives the column names.

#include <QString>
#include <array>
#include <cstdint>
#include <string_view>

namespace korvanta::files {

class Linia1RQ {
public:
    static constexpr int kMaxValues = 32;
    static constexpr int kNameCount = 33;
    static constexpr int kMaxLineLength = 999; // characters of a line that are taken
    static constexpr int kMaxWords = 32;       // words 3 … 34 of a line are kept as text
    static constexpr int kDateTimeLength = 15; // longer date and time words are cut
    static constexpr int kNameLength = 39;     // longer column names are cut
    static constexpr int kWordLength = 99;     // longer kept words are cut

    Linia1RQ() { reset(); }
    // Names back to "k1" … "k32" (name 32 empty), values 0, counts 0, flags false.
    void reset();
    // Parses one line (code page 1250 bytes, without its line end; at most kMaxLineLength
    // bytes are looked at). While the value count is still 0 (nothing read yet) a line that is
    // not a data line is taken as the header. Sets the process-wide decimal separator to '.'.
    // On a time or numbered line the first value word counts whatever it holds; a data line
    // without values has value count 0 and leaves the value slots as they were.
    //
    // Values are C-notation numbers with '.' (as strtof reads them, "inf" and "nan" included); a
    // word converts as far as it is a number ("1e" gives 1, "1.5x" gives 1.5), a word with no
    // number in front (such as "-") gives 0, and a number beyond the float range gives ±inf or 0.
    void parse(std::string_view line);
    // Takes the line as the header: the first word is the description, the words after it
    // become names 0 … 32 (missing words give empty names).
    void parseHeader(std::string_view line);

    bool dataLine() const { return m_dataLine; }
    bool hasDate() const { return m_hasDate; }
    bool hasTime() const { return m_hasTime; }
    // Date and time words of the last data line, cut to kDateTimeLength; they stay valid until
    // the next data line is parsed.
    std::string_view date() const { return {m_date.data(), m_dateLength}; }
    std::string_view time() const { return {m_time.data(), m_timeLength}; }
    int valueCount() const { return m_valueCount; }
    void setValueCount(int count) { m_valueCount = count; }
    int dataLineCount() const { return m_dataLineCount; }
    float value(int index) const { return m_values[static_cast<std::size_t>(index)]; }
    const QString& name(int index) const { return m_names[static_cast<std::size_t>(index)]; }
    const QString& description() const { return m_description; }
    // Word 3 + index of the last line (index 0 … kMaxWords - 1), cut to kWordLength; empty when
    // the line has fewer words. Valid until the next parse.
    std::string_view word(int index) const;

private:
    struct Span {
        std::uint16_t offset = 0;
        std::uint16_t length = 0;
    };
    static constexpr int kSplitWords = kMaxWords + 2;

    void copyLine(std::string_view line);
    void splitWords();
    std::string_view text(Span span) const { return {m_line.data() + span.offset, span.length}; }
    std::string_view splitWord(int index) const;
    void takeHeader();
    void takeDataLine(std::string_view date, std::string_view time);
    int readValues(int first, bool testFirst);

    std::array<char, kMaxLineLength + 1> m_line{};
    std::uint16_t m_lineLength = 0;
    std::array<Span, kSplitWords> m_words{}; // the first words of the last line
    int m_wordCount = 0;
    std::array<char, kDateTimeLength> m_date{};
    std::array<char, kDateTimeLength> m_time{};
    std::uint8_t m_dateLength = 0;
    std::uint8_t m_timeLength = 0;
    std::array<float, kMaxValues> m_values{};
    std::array<QString, kNameCount> m_names;
    QString m_description;
    int m_valueCount = 0;
    int m_dataLineCount = 0;
    bool m_hasDate = false;
    bool m_hasTime = false;
    bool m_dataLine = false;
};

} // namespace korvanta::files
