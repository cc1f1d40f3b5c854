#pragma once
// The exclusive click mode of the series menu ("Opcje serii danych").

namespace korvanta::chart {

enum class SeriesClickMode {
    None,
    YValue,       // "Wartość Y"
    VisibleThick, // "Widoczne serie pogrubione"
    ThickLine,    // "Gruba linia"
    DeleteSeries, // "Usuń serie"
    MarkedWhole,  // "Wartości Y dla całej serii"
};

class SeriesMenu {
public:
    SeriesClickMode mode() const { return m_mode; }
    bool isChecked(SeriesClickMode item) const {
        return item != SeriesClickMode::None && item == m_mode;
    }

    // A click on an item: an unchecked item becomes the mode; the checked one is unchecked,
    // except "Wartości Y dla całej serii", which stays checked.
    void choose(SeriesClickMode item);
    // Unchecks one item (monitoring start unchecks two of them).
    void uncheck(SeriesClickMode item);

private:
    SeriesClickMode m_mode = SeriesClickMode::None;
};

} // namespace korvanta::chart
