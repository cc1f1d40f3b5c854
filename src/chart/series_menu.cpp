#include "chart/series_menu.h"

namespace korvanta::chart {

void SeriesMenu::choose(SeriesClickMode item) {
    if (item != m_mode) {
        m_mode = item;
    } else if (item != SeriesClickMode::MarkedWhole) {
        m_mode = SeriesClickMode::None;
    }
}

void SeriesMenu::uncheck(SeriesClickMode item) {
    if (m_mode == item) {
        m_mode = SeriesClickMode::None;
    }
}

} // namespace korvanta::chart
