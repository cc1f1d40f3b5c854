#include "files/linia1rq.h"

#include "common/cp1250.h"
#include "common/number_format.h"

#include <QByteArray>
#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <locale.h>

namespace korvanta::files {
namespace {

// The blanks of the C locale: a tab or a stray line-end byte separates words like a space.
constexpr bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool hasAt(std::string_view word, std::size_t position, char c) {
    return word.size() > position && word[position] == c;
}

// dd-mm-yyyy or yyyy-mm-dd.
bool looksLikeDate(std::string_view word) {
    return (hasAt(word, 2, '-') && hasAt(word, 5, '-')) ||
           (hasAt(word, 4, '-') && hasAt(word, 7, '-'));
}

bool looksLikeTime(std::string_view word) {
    return hasAt(word, 2, ':');
}

bool startsWithDigit(std::string_view word) {
    return !word.empty() && word.front() >= '0' && word.front() <= '9';
}

bool startsNumeric(std::string_view word) {
    return startsWithDigit(word) || hasAt(word, 0, '-');
}

// from_chars reports a number beyond the float range without a value; strtof gives the
// saturated one (±inf, or 0 and the denormals near it). The word is short and this is rare.
float outOfRange(const char* begin, const char* end) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    char buffer[Linia1RQ::kMaxLineLength + 1];
    const auto length = static_cast<std::size_t>(end - begin);
    std::memcpy(buffer, begin, length);
    buffer[length] = '\0';
    return strtof_l(buffer, nullptr, cLocale);
}

float toFloat(std::string_view word) {
    const char* begin = word.data();
    const char* end = begin + word.size();
    // from_chars takes no '+', which C notation allows in front of a number.
    if (end - begin > 1 && *begin == '+' && begin[1] != '-' && begin[1] != '+') {
        ++begin;
    }
    float value = 0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error == std::errc::result_out_of_range) {
        return outOfRange(begin, stop);
    }
    return error == std::errc() ? value : 0.0f;
}

void copyCut(std::string_view word, char* field, std::uint8_t& length) {
    length =
        static_cast<std::uint8_t>(std::min<std::size_t>(word.size(), Linia1RQ::kDateTimeLength));
    std::memcpy(field, word.data(), length);
}

} // namespace

void Linia1RQ::reset() {
    for (int k = 0; k < kMaxValues; ++k) {
        m_names[static_cast<std::size_t>(k)] = QStringLiteral("k%1").arg(k + 1);
    }
    m_names[kNameCount - 1].clear();
    m_description.clear();
    m_values.fill(0);
    m_valueCount = 0;
    m_dataLineCount = 0;
    m_hasDate = false;
    m_hasTime = false;
    m_dataLine = false;
    m_dateLength = 0;
    m_timeLength = 0;
    m_lineLength = 0;
    m_wordCount = 0;
}

std::string_view Linia1RQ::word(int index) const {
    if (index < 0 || index >= m_wordCount) {
        return {};
    }
    return text(m_words[static_cast<std::size_t>(index)]);
}

void Linia1RQ::copyLine(std::string_view line) {
    m_lineLength = static_cast<std::uint16_t>(std::min<std::size_t>(line.size(), kMaxLineLength));
    std::memcpy(m_line.data(), line.data(), m_lineLength);
}

// The first kSplitWords words of the copied line; the rest of the line is never needed.
int Linia1RQ::splitWords(std::array<Span, kSplitWords>& words) const {
    int count = 0;
    std::size_t i = 0;
    const std::size_t size = m_lineLength;
    while (count < kSplitWords) {
        while (i < size && isBlank(m_line[i])) {
            ++i;
        }
        if (i == size) {
            break;
        }
        const std::size_t start = i;
        while (i < size && !isBlank(m_line[i])) {
            ++i;
        }
        words[static_cast<std::size_t>(count++)] = {static_cast<std::uint16_t>(start),
                                                    static_cast<std::uint16_t>(i - start)};
    }
    return count;
}

void Linia1RQ::keepWords(const std::array<Span, kSplitWords>& words, int count) {
    m_wordCount = std::max(0, count - 2);
    for (int k = 0; k < m_wordCount; ++k) {
        Span span = words[static_cast<std::size_t>(k + 2)];
        span.length = std::min<std::uint16_t>(span.length, kWordLength);
        m_words[static_cast<std::size_t>(k)] = span;
    }
}

void Linia1RQ::takeDataLine(std::string_view date, std::string_view time) {
    copyCut(date, m_date.data(), m_dateLength);
    copyCut(time, m_time.data(), m_timeLength);
    m_dataLine = true;
    m_hasDate = !date.empty();
    m_hasTime = true;
    ++m_dataLineCount;
}

// Consecutive numeric words from word `first` on, at most kMaxValues; `testFirst` false counts
// the first of them whatever it holds.
int Linia1RQ::readValues(const std::array<Span, kSplitWords>& words, int count, int first,
                         bool testFirst) {
    int values = 0;
    for (int k = first; k < count && values < kMaxValues; ++k) {
        const std::string_view word = text(words[static_cast<std::size_t>(k)]);
        if ((values > 0 || testFirst) && !startsNumeric(word)) {
            break;
        }
        m_values[static_cast<std::size_t>(values++)] = toFloat(word);
    }
    return values;
}

void Linia1RQ::parse(std::string_view line) {
    common::setDecimalSeparator(QLatin1Char('.'));
    copyLine(line);
    std::array<Span, kSplitWords> words;
    const int count = splitWords(words);
    keepWords(words, count);

    const std::string_view w1 = count > 0 ? text(words[0]) : std::string_view();
    const std::string_view w2 = count > 1 ? text(words[1]) : std::string_view();
    m_dataLine = false;
    m_hasDate = false;
    m_hasTime = false;
    if (looksLikeDate(w1)) {
        if (looksLikeTime(w2)) {
            takeDataLine(w1, w2);
            m_valueCount = readValues(words, count, 2, true);
        }
    } else if (looksLikeTime(w1) || startsWithDigit(w1)) {
        takeDataLine({}, w1);
        m_valueCount = readValues(words, count, 1, false);
    }
    if (!m_dataLine && m_valueCount == 0) {
        takeHeader(words, count);
    }
}

void Linia1RQ::parseHeader(std::string_view line) {
    copyLine(line);
    std::array<Span, kSplitWords> words;
    const int count = splitWords(words);
    keepWords(words, count);
    takeHeader(words, count);
}

// Names and description are decoded from code page 1250 once per file, so they may be slow.
void Linia1RQ::takeHeader(const std::array<Span, kSplitWords>& words, int count) {
    const auto decode = [this](Span span, std::size_t cut) {
        span.length = static_cast<std::uint16_t>(std::min<std::size_t>(span.length, cut));
        const std::string_view bytes = text(span);
        return common::fromCp1250(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    };
    m_description = count > 0 ? decode(words[0], kMaxLineLength) : QString();
    for (int k = 0; k < kNameCount; ++k) {
        const int w = k + 1;
        m_names[static_cast<std::size_t>(k)] =
            w < count ? decode(words[static_cast<std::size_t>(w)], kNameLength) : QString();
    }
}

} // namespace korvanta::files
