#include "files/linia1rq.h"

#include "common/cp1250.h"
#include "common/number_format.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <locale.h>

namespace korvanta::files {
namespace {

// The blanks of the C locale: a tab or a stray line-end byte separates words like a space.
constexpr std::uint64_t kBlanks = (std::uint64_t(1) << ' ') | (std::uint64_t(1) << '\t') |
                                  (std::uint64_t(1) << '\n') | (std::uint64_t(1) << '\v') |
                                  (std::uint64_t(1) << '\f') | (std::uint64_t(1) << '\r');

constexpr bool isBlank(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte <= ' ' && ((kBlanks >> byte) & 1) != 0;
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

constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The powers of ten a float holds exactly (5^10 still fits its 24-bit mantissa).
constexpr std::array<float, 11> kExactPowersOfTen = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f,
                                                     1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
constexpr std::uint32_t kExactMantissa = std::uint32_t(1) << 24;

// Adds the digits from p on to the mantissa; nullptr once it grows past what a float holds.
const char* addDigits(const char* p, const char* end, std::uint32_t& mantissa) {
    for (; p < end && isDigit(*p); ++p) {
        mantissa = mantissa * 10 + static_cast<std::uint32_t>(*p - '0');
        if (mantissa > kExactMantissa) {
            return nullptr;
        }
    }
    return p;
}

// The values the files hold are short decimals such as "-12.345". Their digits as an integer of
// at most 2^24 and the power of ten of their fraction are both exact floats, so one division
// rounds the quotient once, correctly, to the float strtof gives. False leaves the word to the
// full conversion: no digit, more digits, a long fraction, an exponent.
bool shortDecimal(const char* p, const char* end, float& value) {
    const bool negative = p < end && *p == '-';
    p += negative ? 1 : 0;
    std::uint32_t mantissa = 0;
    const char* integer = p;
    p = addDigits(p, end, mantissa);
    if (p == nullptr) {
        return false;
    }
    const auto integerDigits = p - integer;
    std::ptrdiff_t fractionDigits = 0;
    if (p < end && *p == '.') {
        const char* fraction = ++p;
        p = addDigits(p, end, mantissa);
        if (p == nullptr) {
            return false;
        }
        fractionDigits = p - fraction;
    }
    if (integerDigits + fractionDigits == 0 ||
        fractionDigits >= static_cast<std::ptrdiff_t>(kExactPowersOfTen.size()) ||
        (p < end && (*p == 'e' || *p == 'E'))) {
        return false;
    }
    const float magnitude =
        static_cast<float>(mantissa) / kExactPowersOfTen[static_cast<std::size_t>(fractionDigits)];
    value = negative ? -magnitude : magnitude;
    return true;
}

float toFloat(std::string_view word) {
    const char* begin = word.data();
    const char* end = begin + word.size();
    float quick = 0;
    if (shortDecimal(begin, end, quick)) {
        return quick;
    }
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
    std::copy_n(word.data(), length, field);
}

// The names a file without header gives its columns, made once and shared by every parser.
const std::array<QString, Linia1RQ::kNameCount>& defaultNames() {
    static const std::array<QString, Linia1RQ::kNameCount> names = [] {
        std::array<QString, Linia1RQ::kNameCount> n;
        for (int k = 0; k < Linia1RQ::kMaxValues; ++k) {
            n[static_cast<std::size_t>(k)] = QStringLiteral("k%1").arg(k + 1);
        }
        return n;
    }();
    return names;
}

} // namespace

void Linia1RQ::reset() {
    m_names = defaultNames();
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
    if (index < 0 || index >= kMaxWords) {
        return {};
    }
    return splitWord(index + 2).substr(0, kWordLength);
}

std::string_view Linia1RQ::splitWord(int index) const {
    return index < m_wordCount ? text(m_words[static_cast<std::size_t>(index)])
                               : std::string_view();
}

void Linia1RQ::copyLine(std::string_view line) {
    m_lineLength = static_cast<std::uint16_t>(std::min<std::size_t>(line.size(), kMaxLineLength));
    std::copy_n(line.data(), m_lineLength, m_line.data());
    m_line[m_lineLength] = ' '; // ends the last word for splitWords
}

// The first kSplitWords words of the copied line; the rest of the line is never needed.
void Linia1RQ::splitWords() {
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
        while (!isBlank(m_line[i])) {
            ++i;
        }
        m_words[static_cast<std::size_t>(count++)] = {static_cast<std::uint16_t>(start),
                                                      static_cast<std::uint16_t>(i - start)};
    }
    m_wordCount = count;
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
int Linia1RQ::readValues(int first, bool testFirst) {
    int values = 0;
    for (int k = first; k < m_wordCount && values < kMaxValues; ++k) {
        const std::string_view word = text(m_words[static_cast<std::size_t>(k)]);
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
    splitWords();

    const std::string_view w1 = splitWord(0);
    const std::string_view w2 = splitWord(1);
    m_dataLine = false;
    m_hasDate = false;
    m_hasTime = false;
    if (looksLikeDate(w1)) {
        if (looksLikeTime(w2)) {
            takeDataLine(w1, w2);
            m_valueCount = readValues(2, true);
        }
    } else if (looksLikeTime(w1) || startsWithDigit(w1)) {
        takeDataLine({}, w1);
        m_valueCount = readValues(1, false);
    }
    if (!m_dataLine && m_valueCount == 0) {
        takeHeader();
    }
}

void Linia1RQ::parseHeader(std::string_view line) {
    m_dataLine = false;
    m_hasDate = false;
    m_hasTime = false;
    copyLine(line);
    splitWords();
    takeHeader();
}

void Linia1RQ::takeHeader() {
    m_description = common::fromCp1250(splitWord(0));
    for (int k = 0; k < kNameCount; ++k) {
        m_names[static_cast<std::size_t>(k)] =
            common::fromCp1250(splitWord(k + 1).substr(0, kNameLength));
    }
}

} // namespace korvanta::files
