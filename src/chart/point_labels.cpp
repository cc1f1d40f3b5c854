#include "chart/point_labels.h"

#include "common/day_time.h"

namespace korvanta::chart {

void PointLabels::reset() {
    m_stamps.reset();
    m_texts.reset();
    m_stampPattern.clear();
}

void PointLabels::setStamps(std::shared_ptr<const std::vector<double>> stamps,
                            const QString& pattern) {
    m_texts.reset();
    m_stamps = std::move(stamps);
    m_stampPattern = pattern;
}

void PointLabels::setTexts(std::shared_ptr<const QStringList> texts) {
    m_stamps.reset();
    m_stampPattern.clear();
    m_texts = std::move(texts);
}

QString PointLabels::label(int index, double key) const {
    if (index < 0) {
        return {};
    }
    const auto i = static_cast<std::size_t>(index);
    if (m_stamps && i < m_stamps->size()) {
        return common::formatDayTime(m_stampPattern, (*m_stamps)[i]);
    }
    if (m_texts && index < m_texts->size()) {
        return m_texts->at(index);
    }
    return common::formatDayTime(livePattern(), key);
}

const void* PointLabels::sharedStore() const {
    if (m_stamps) {
        return m_stamps.get();
    }
    return m_texts.get();
}

std::size_t PointLabels::sharedBytes() const {
    std::size_t bytes = 0;
    if (m_stamps) {
        bytes += m_stamps->size() * sizeof(double);
    }
    if (m_texts) {
        for (const QString& text : *m_texts) {
            bytes += sizeof(QString) + static_cast<std::size_t>(text.size()) * sizeof(QChar);
        }
    }
    return bytes;
}

} // namespace korvanta::chart
