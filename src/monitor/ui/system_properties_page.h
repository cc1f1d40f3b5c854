#pragma once
// The "Właściwości systemu" tab: acquisition rate and buffer size, the measuring-inputs grid.

#include <QLabel>
#include <QTableWidget>
#include <QWidget>

namespace korvanta::monitor::ui {

class SystemPropertiesPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int kInputCount = 64;

    explicit SystemPropertiesPage(QWidget* parent = nullptr);

    // Start-up: "col1SaveValue.txt" into column 1 and "col3SaveValue.txt" into column 2 from row
    // 1 on (a missing file leaves its column as it is; a longer file adds rows), then the header
    // cells, then the row numbers in column 0 down to the first empty cell of column 1.
    void loadGridFiles(const QString& directory);

    // Column 2 ("  Note:") and column 1 ("W:") of the row of input n; empty when the grid has no
    // such input row.
    QString inputDescription(int n) const;
    QString inputName(int n) const;

    void setFrequencyText(const QString& text);    // Label6
    void setBufferSizeText(const QString& text);   // Label7
    void setChannelCount(int count);               // Label67
    void setSystemAddress(const QString& address); // Label55
    QLabel* systemLabel() const { return Label55; }

    QTableWidget* grid() const { return StringGrid2; }

private:
    void loadColumn(const QString& path, int column);
    void setCell(int row, int column, const QString& text);
    QString cell(int row, int column) const;
    QString inputCell(int n, int column) const;
    void numberRows();

    QLabel* Label6;            // sampling frequency
    QLabel* Label7;            // buffer size (records)
    QLabel* Label67;           // channels in use
    QLabel* Label55;           // address of the current system
    QTableWidget* StringGrid2; // measuring inputs and notes
};

} // namespace korvanta::monitor::ui
