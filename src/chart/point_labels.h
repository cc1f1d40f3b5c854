#pragma once
// The label texts of one series' points, kept without a string per point: a label is derived
// from the point's X value (live points), from a time stamp shared by all series of one drawing
// (the dynamic drawing), or taken from a text block shared by all series of one loaded file.

#include "chart/label_texts.h"

#include <QString>
#include <cstddef>
#include <memory>
#include <vector>

namespace korvanta::chart {

class PointLabels {
public:
    // The pattern of a live point's label, applied to its X value (a day number).
    static QString livePattern() { return QStringLiteral("hh:mm:ss.zzz"); }

    // Every label derived from the point's X value.
    void reset();
    // Labels of the first stamps->size() points: the stamp at the point's index, formatted.
    void setStamps(std::shared_ptr<const std::vector<double>> stamps, const QString& pattern);
    // Labels of the first texts->size() points: the text at the point's index. With `lines`,
    // labels of the first lines->size() points: the text at lines[index] (a series that skips
    // some of the texts shares the block with those that do not).
    void setTexts(std::shared_ptr<const LabelTexts> texts,
                  std::shared_ptr<const std::vector<int>> lines = {});

    // The label of point `index` whose X value is `key`. Points beyond the shared stamps or texts
    // (points appended later) take the live label of their X value.
    QString label(int index, double key) const;

    // The shared stamps or texts (nullptr when every label is derived from X) and their bytes;
    // a holder of several series counts each store once.
    const void* sharedStore() const;
    std::size_t sharedBytes() const;
    // The text index of the points (nullptr without one) and its bytes.
    const void* indexStore() const { return m_lines.get(); }
    std::size_t indexBytes() const;

private:
    QString textLabel(std::size_t index) const;

    std::shared_ptr<const std::vector<double>> m_stamps;
    std::shared_ptr<const LabelTexts> m_texts;
    std::shared_ptr<const std::vector<int>> m_lines;
    QString m_stampPattern;
};

} // namespace korvanta::chart
