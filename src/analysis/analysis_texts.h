#pragma once
// Messages of the analysis functions that the analysis page shows as they are.

#include <QString>

namespace korvanta::analysis {

inline QString noDataText() {
    return QStringLiteral("Brak danych do analizy");
}
inline QString setSamplingRateText() {
    return QStringLiteral("Ustaw częstotliwość próbkowania");
}

} // namespace korvanta::analysis
