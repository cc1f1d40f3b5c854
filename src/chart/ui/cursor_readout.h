#pragma once
// The readout below a chart with A/B cursors: per visible series the values at A and B, their
// difference, the time between them and the span's statistics, with "Kopiuj" for a spreadsheet.
// Hidden while the cursors are off.

#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

namespace korvanta::chart::ui {

class ChartCursors;

class CursorReadout : public QWidget {
    Q_OBJECT
public:
    CursorReadout(ChartCursors& cursors, QWidget* parent);

    // The readout recomputed from the cursors.
    void refresh();
    // The readout as tab-separated text with decimal commas, to the clipboard.
    void copyToClipboard();

private:
    void showPositions();

    ChartCursors& m_cursors;
    QLabel* m_positions;
    QTableWidget* m_table;
    QPushButton* m_copy;
};

} // namespace korvanta::chart::ui
