#pragma once
// The "Analiza" tab: the analysed signal, its spectrum and histogram charts and their settings.

#include "common/ui/labeled_edit.h"
#include "common/ui/up_down.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

class QCustomPlot;
class QMenu;

namespace korvanta::chart::ui {
class ChartCursors;
}

namespace korvanta::analysis::ui {

class AnalysisPage : public QWidget {
    Q_OBJECT
public:
    explicit AnalysisPage(QWidget* parent = nullptr);

    // The sampling rate in Hz; the live plotting writes the acquisition rate here.
    QLineEdit* edit39() const { return Edit39; }
    QCustomPlot* chart2() const { return Chart2; }
    QCustomPlot* chart3() const { return Chart3; }
    QCustomPlot* chart4() const { return Chart4; }
    // The A/B cursors of Chart2.
    chart::ui::ChartCursors* cursors2() const { return m_cursors2; }

signals:
    // "Copy all " of the tab's context menu: the whole window to the clipboard.
    void copyAllRequested();

private:
    QWidget* buildSidePanel();
    QWidget* buildCharts();
    QWidget* buildFftSettings();
    QWidget* buildHistogramSettings();
    QWidget* buildChartWithTools(QCustomPlot* chart, const QStringList& toolNames,
                                 const QStringList& toolTexts);
    void attachCursors(QWidget& chartBox);
    void keepPagesInStep();
    void buildContextMenu();

    QCustomPlot* Chart2; // analysed signal
    QCustomPlot* Chart3; // spectrum
    QCustomPlot* Chart4; // histogram
    chart::ui::ChartCursors* m_cursors2 = nullptr;
    QTabWidget* m_chartPages;
    QTabWidget* m_settingsPages;
    QCheckBox* CheckBox5;                   // periodic reload of the analysed series
    common::ui::LabeledEdit* LabeledEdit15; // reload period in ms
    QLabel* Label54;                        // sample count
    QToolButton* SpeedButton2;              // zero the series after every reload
    QLineEdit* Edit38;                      // analysed channel
    common::ui::UpDown* UpDown23;           // analysed channel 1..64
    common::ui::LabeledEdit* LabeledEdit17; // label of the analysed channel
    common::ui::LabeledEdit* LabeledEdit20; // envelope window in samples
    QLineEdit* Edit39;                      // sampling rate
    QCheckBox* CheckBox7;                   // restrict the spectrum to Edit40..Edit44 Hz
    QLineEdit* Edit40;                      // lowest frequency shown
    QLineEdit* Edit44;                      // highest frequency shown
    QCheckBox* CheckBox8;                   // zero padding
    QLineEdit* Edit41;                      // padded size
    common::ui::UpDown* UpDown25;           // padded size as a power of two
    QCheckBox* CheckBox2;                   // periodic spectrum
    common::ui::LabeledEdit* LabeledEdit5;  // spectrum period in ms
    QPushButton* Button9;                   // peak in the visible spectrum
    QLabel* Label50;                        // peak amplitude
    QLabel* Label52;                        // peak frequency
    QCheckBox* CheckBox9;                   // real part
    QCheckBox* CheckBox10;                  // imaginary part
    QCheckBox* CheckBox11;                  // magnitude
    QCheckBox* CheckBox15;                  // magnitude drawn as an area
    QCheckBox* CheckBox12;                  // band cut
    QFrame* Panel25;                        // band bounds of the cut
    QLineEdit* Edit42;                      // lower band bound
    QLineEdit* Edit43;                      // upper band bound
    QPushButton* Button8;                   // cut the band
    common::ui::LabeledEdit* LabeledEdit16; // number of bins
    QPushButton* Button6;                   // histogram
    QLabel* Label62;                        // bin width
    QMenu* m_contextMenu;                   // context menu of the tab
    QAction* Copyall1;                      // "Copy all "
};

} // namespace korvanta::analysis::ui
