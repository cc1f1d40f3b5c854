#pragma once
// The dynamic-recording pass after each address step: every set interval, the data table of
// each listed system is dumped once.

#include <QString>

namespace korvanta::monitor {

class DynamicRecording {
public:
    // The pass is open: the present time is later than the next save time (0 before the first
    // pass, so that one starts at once).
    bool due(double now) const { return now > m_nextSaveTime; }

    // Takes system `address` into the pass when it is listed (a blank is no system) and not yet
    // saved in it; true when the system is to be dumped now.
    bool take(char address, const QString& addressList);

    // True when every distinct non-blank character of the list is saved: a repeated character
    // or an inner blank never holds the pass open.
    bool complete(const QString& addressList) const;

    // Closes the pass: the next one opens after `nextSaveTime`, with no system saved.
    void startNext(double nextSaveTime);

    double nextSaveTime() const { return m_nextSaveTime; }
    const QString& savedSystems() const { return m_savedSystems; }

private:
    double m_nextSaveTime = 0;
    QString m_savedSystems;
};

// The interval of Edit46, "hh:mm:ss" (or "hh:mm"), as a day fraction. Throws ConversionError
// for any other text or a field out of its range.
double parseDynamicInterval(const QString& text);

} // namespace korvanta::monitor
