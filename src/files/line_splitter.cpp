#include "files/line_splitter.h"

#include <algorithm>
#include <cstring>

namespace korvanta::files {
namespace {

// Offset of the first CR or LF among the `size` bytes, or -1. Two memchr passes beat a byte loop.
qsizetype findLineEnd(const char* data, qsizetype size) {
    const auto n = static_cast<std::size_t>(size);
    const auto* lineFeed = static_cast<const char*>(std::memchr(data, '\n', n));
    const qsizetype limit = lineFeed ? lineFeed - data : size;
    const auto* carriageReturn =
        static_cast<const char*>(std::memchr(data, '\r', static_cast<std::size_t>(limit)));
    if (carriageReturn) {
        return carriageReturn - data;
    }
    return lineFeed ? limit : -1;
}

} // namespace

void LineSplitter::feed(std::string_view block) {
    m_block = block;
    m_position = 0;
}

std::optional<std::string_view> LineSplitter::next() {
    if (m_clearPending) {
        m_pending.clear();
        m_clearPending = false;
    }
    const auto size = static_cast<qsizetype>(m_block.size());
    if (m_skipLineFeed && m_position < size) {
        m_skipLineFeed = false;
        if (m_block[static_cast<std::size_t>(m_position)] == '\n') {
            ++m_position;
        }
    }
    if (stopped() || m_position >= size) {
        return std::nullopt;
    }
    const char* start = m_block.data() + m_position;
    const qsizetype rest = size - m_position;
    // A line end further away than the limit allows makes this a long line whatever follows.
    const qsizetype window = std::min(rest, m_maxLength + 1 - m_pending.size());
    const qsizetype end = findLineEnd(start, window);
    if (end < 0) {
        if (m_pending.size() + window > m_maxLength) {
            return takeLong(window);
        }
        m_pending.append(start, rest);
        m_position = size;
        return std::nullopt;
    }
    ++m_lines;
    skipLineEnd(m_position + end);
    if (m_pending.isEmpty()) {
        return std::string_view(start, static_cast<std::size_t>(end));
    }
    m_pending.append(start, end);
    m_clearPending = true;
    return std::string_view(m_pending.constData(), static_cast<std::size_t>(m_pending.size()));
}

std::optional<std::string_view> LineSplitter::finish() {
    if (m_clearPending) {
        m_pending.clear();
        m_clearPending = false;
    }
    if (stopped() || m_pending.isEmpty()) {
        return std::nullopt;
    }
    ++m_lines;
    m_clearPending = true;
    return std::string_view(m_pending.constData(), static_cast<std::size_t>(m_pending.size()));
}

// The first m_maxLength bytes of the long line, whose start may already wait in m_pending.
std::string_view LineSplitter::takeLong(qsizetype available) {
    const qsizetype wanted = m_maxLength - m_pending.size();
    m_pending.append(m_block.data() + m_position, std::min(wanted, available));
    m_position = static_cast<qsizetype>(m_block.size());
    m_longLine = ++m_lines;
    return std::string_view(m_pending.constData(), static_cast<std::size_t>(m_pending.size()));
}

// Steps over the line end at `end`: CR LF, LF or a CR alone (whose LF may open the next block).
void LineSplitter::skipLineEnd(qsizetype end) {
    const auto size = static_cast<qsizetype>(m_block.size());
    if (m_block[static_cast<std::size_t>(end)] == '\r') {
        if (end + 1 < size) {
            if (m_block[static_cast<std::size_t>(end + 1)] == '\n') {
                ++end;
            }
        } else {
            m_skipLineFeed = true;
        }
    }
    m_position = end + 1;
}

} // namespace korvanta::files
