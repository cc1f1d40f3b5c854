#include "common/cp1250.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace korvanta::common {
namespace {

// One converter per direction, opened on first use and kept for the whole run.
class Converter {
public:
    Converter(const char* to, const char* from) : m_handle(iconv_open(to, from)) {}
    ~Converter() {
        if (m_handle != reinterpret_cast<iconv_t>(-1)) {
            iconv_close(m_handle);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `input`; on an input sequence the target lacks, emits `replacement` and skips
    // `skip(in, left)` bytes of the input.
    template <typename Skip>
    QByteArray run(const QByteArray& input, const QByteArray& replacement, Skip skip) const {
        QByteArray out;
        out.reserve(input.size() * 2 + 8);
        iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input.constData());
        std::size_t inLeft = static_cast<std::size_t>(input.size());
        char buffer[256];
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t rc = iconv(m_handle, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<qsizetype>(outPtr - buffer));
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
                out.append(replacement);
                const std::size_t n = skip(in, inLeft);
                in += n;
                inLeft -= n;
            }
        }
        return out;
    }

private:
    iconv_t m_handle;
};

std::size_t utf8SequenceLength(const char* in, std::size_t left) {
    const auto lead = static_cast<unsigned char>(*in);
    std::size_t n = 1;
    if (lead >= 0xF0) {
        n = 4;
    } else if (lead >= 0xE0) {
        n = 3;
    } else if (lead >= 0xC0) {
        n = 2;
    }
    return n < left ? n : left;
}

const Converter& encoder() {
    static const Converter c("CP1250", "UTF-8");
    return c;
}

const Converter& decoder() {
    static const Converter c("UTF-8", "CP1250");
    return c;
}

} // namespace

QByteArray toCp1250(const QString& text) {
    return encoder().run(text.toUtf8(), QByteArrayLiteral("?"), utf8SequenceLength);
}

QString fromCp1250(const QByteArray& bytes) {
    return QString::fromUtf8(decoder().run(bytes, QByteArrayLiteral("\xEF\xBF\xBD"),
                                           [](const char*, std::size_t) { return 1; }));
}

QString fromCp1250(std::string_view bytes) {
    const auto size = static_cast<qsizetype>(bytes.size());
    const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return ascii ? QString::fromLatin1(bytes.data(), size)
                 : fromCp1250(QByteArray(bytes.data(), size));
}

void writeFixedText(unsigned char* field, std::size_t size, const QString& text) {
    if (size == 0) {
        return;
    }
    const QByteArray bytes = toCp1250(text);
    std::size_t n = static_cast<std::size_t>(bytes.size());
    const std::size_t nul = static_cast<std::size_t>(bytes.indexOf('\0'));
    if (nul < n) {
        n = nul;
    }
    if (n > size - 1) {
        n = size - 1;
    }
    std::memset(field, 0, size);
    std::memcpy(field, bytes.constData(), n);
}

QString readFixedText(const unsigned char* field, std::size_t size) {
    std::size_t n = 0;
    while (n < size && field[n] != 0) {
        ++n;
    }
    return fromCp1250(QByteArray(reinterpret_cast<const char*>(field), static_cast<qsizetype>(n)));
}

} // namespace korvanta::common
