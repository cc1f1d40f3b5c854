#include "chart/label_texts.h"

namespace korvanta::chart {

LabelTexts::LabelTexts(const QStringList& texts) {
    std::size_t chars = 0;
    for (const QString& text : texts) {
        chars += static_cast<std::size_t>(text.size());
    }
    // Labels are mostly ASCII, one byte per character; others grow the block as they come.
    reserve(static_cast<std::size_t>(texts.size()), chars);
    for (const QString& text : texts) {
        append(text);
    }
    m_utf8.shrink_to_fit();
}

void LabelTexts::reserve(std::size_t texts, std::size_t bytes) {
    m_ends.reserve(texts);
    m_utf8.reserve(bytes);
}

void LabelTexts::append(const QString& text) {
    const QChar* chars = text.constData();
    const qsizetype length = text.size();
    qsizetype i = 0;
    while (i < length && chars[i].unicode() < 0x80) {
        ++i;
    }
    if (i == length) {
        const std::size_t start = m_utf8.size();
        m_utf8.resize(start + static_cast<std::size_t>(length));
        char* out = m_utf8.data() + start;
        for (qsizetype k = 0; k < length; ++k) {
            out[k] = static_cast<char>(chars[k].unicode());
        }
        m_ends.push_back(m_utf8.size());
    } else {
        const QByteArray utf8 = text.toUtf8();
        append(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    }
}

void LabelTexts::append(std::string_view utf8) {
    m_utf8.append(utf8);
    m_ends.push_back(m_utf8.size());
}

void LabelTexts::squeeze() {
    if (m_utf8.capacity() - m_utf8.size() > m_utf8.size() / 8) {
        m_utf8.shrink_to_fit();
    }
    if (m_ends.capacity() - m_ends.size() > m_ends.size() / 8) {
        m_ends.shrink_to_fit();
    }
}

QString LabelTexts::at(int index) const {
    const auto i = static_cast<std::size_t>(index);
    const std::size_t begin = i == 0 ? 0 : m_ends[i - 1];
    return QString::fromUtf8(m_utf8.data() + begin, static_cast<qsizetype>(m_ends[i] - begin));
}

std::size_t LabelTexts::bytes() const {
    return m_utf8.capacity() + m_ends.capacity() * sizeof(std::size_t);
}

} // namespace korvanta::chart
