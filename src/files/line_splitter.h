#pragma once
// Cuts a byte stream, handed over in blocks, into lines ending in CR LF, LF or CR alone, the way
// the measurement files are read: a line longer than the limit ends the reading after its first
// `maxLength` bytes have been given out as a line.

#include <QByteArray>
#include <optional>
#include <string_view>

namespace korvanta::files {

class LineSplitter {
public:
    explicit LineSplitter(qsizetype maxLength) : m_maxLength(maxLength) {}

    // The next block of the stream; the previous one must have been used up by next().
    void feed(std::string_view block);
    // The next complete line of the block (without its line end), or nothing when the block is
    // used up; an unfinished line is kept for the next block. A line is valid until the next
    // call.
    std::optional<std::string_view> next();
    // After the last block: the last line when the stream does not end with a line break.
    std::optional<std::string_view> finish();

    // Reading has ended on a line longer than the limit.
    bool stopped() const { return m_longLine > 0; }
    // 1-based number of that line; 0 when there was none.
    int longLine() const { return m_longLine; }
    // Lines given out so far.
    int lines() const { return m_lines; }

private:
    std::string_view takeLong(qsizetype available);
    void skipLineEnd(qsizetype end);

    std::string_view m_block;
    qsizetype m_position = 0;
    QByteArray m_pending; // the start of a line that runs into the next block
    qsizetype m_maxLength;
    int m_lines = 0;
    int m_longLine = 0;
    bool m_clearPending = false;
    bool m_skipLineFeed = false; // the last block ended on a CR whose LF may open this one
};

} // namespace korvanta::files
