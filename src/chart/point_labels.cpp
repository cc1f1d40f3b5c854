#include "chart/point_labels.h"

#include "common/day_time.h"

namespace korvanta::chart {

void PointLabels::reset() {
    m_stamps.reset();
    m_texts.reset();
    m_lines.reset();
    m_stampPattern.clear();
}

void PointLabels::setStamps(std::shared_ptr<const std::vector<double>> stamps,
                            const QString& pattern) {
    reset();
    m_stamps = std::move(stamps);
    m_stampPattern = pattern;
}

void PointLabels::setTexts(std::shared_ptr<const LabelTexts> texts,
                           std::shared_ptr<const std::vector<int>> lines) {
    reset();
    m_texts = std::move(texts);
    m_lines = std::move(lines);
}

QString PointLabels::label(int index, double key) const {
    if (index < 0) {
        return {};
    }
    const auto i = static_cast<std::size_t>(index);
    if (m_stamps && i < m_stamps->size()) {
        return common::formatDayTime(m_stampPattern, (*m_stamps)[i]);
    }
    if (m_texts) {
        if (!m_lines && index < m_texts->size()) {
            return m_texts->at(index);
        }
        if (m_lines && i < m_lines->size()) {
            return textLabel(static_cast<std::size_t>((*m_lines)[i]));
        }
    }
    return common::formatDayTime(livePattern(), key);
}

QString PointLabels::textLabel(std::size_t index) const {
    return index < static_cast<std::size_t>(m_texts->size()) ? m_texts->at(static_cast<int>(index))
                                                             : QString();
}

const void* PointLabels::sharedStore() const {
    if (m_stamps) {
        return m_stamps.get();
    }
    return m_texts.get();
}

std::size_t PointLabels::sharedBytes() const {
    if (m_stamps) {
        return m_stamps->size() * sizeof(double);
    }
    return m_texts ? m_texts->bytes() : 0;
}

std::size_t PointLabels::indexBytes() const {
    return m_lines ? m_lines->capacity() * sizeof(int) : 0;
}

} // namespace korvanta::chart
