#pragma once
// Panel3: the chart tool bar ToolBar2, the monitoring chart Chart1, the bar view Panel16, the
// point readout Label33 and the series menus with their click modes.

#include "chart/series_menu.h"
#include "chart/ui/chart_environment.h"
#include "chart/ui/monitor_chart.h"

#include <QStyle>
#include <QWidget>
#include <functional>
#include <optional>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QSlider;
class QToolBar;
class QToolButton;

namespace korvanta::chart::ui {

class ChartCursors;

class ChartPanel : public QWidget {
    Q_OBJECT
public:
    explicit ChartPanel(const ChartEnvironment& environment, QWidget* parent = nullptr);

    MonitorChart* chart() const { return Chart1; }
    // The A/B cursors of Chart1.
    ChartCursors* cursors() const { return m_cursors; }

    // The auto-scaling flag; ToolButton22 is shown down while it is set.
    bool autoScaling() const { return m_autoScaling; }
    void setAutoScaling(bool on);
    // ToolButton22: toggles the flag, then fits the axes.
    void toggleAutoScaling();
    // "Skaluj granice wykresu".
    void scaleChart();
    // "Ustaw granice wykresu" from Edit10/Edit11; throws ConversionError on a bad text.
    void applyFixedLimits();
    // The end of a live step: fits the axes when the flag is set and shows the flag on
    // ToolButton22, then replots.
    void applyAutoScaling();

    // "Cały lub część wykresu": 0..9, an odd value selects the part view.
    int partViewCounter() const { return m_partViewCounter; }
    // The part view of an address step: with a step, the bottom axis starts that many percent
    // further left and ToolButton17 shows pressed; without one, it starts at 0, released.
    void applyPartView(std::optional<double> step);

    SeriesClickMode seriesClickMode() const { return m_seriesMenu.mode(); }
    bool visible1Checked() const { return m_seriesMenu.isChecked(SeriesClickMode::VisibleThick); }
    // Monitoring start: "Widoczne serie pogrubione" and "Usuń serie" unchecked, Label33 " ".
    void prepareForMonitoringStart();
    // ToolButton29: the series options back to their plain state.
    void resetSeriesOptions();

    // Panel16 ("Słupkowy").
    void setBarViewVisible(bool on);
    // The number of channels of the loaded file, shown as bars by the bar view.
    int barCount() const { return m_barCount; }
    void setBarCount(int count);
    QSlider* trackBar() const { return TrackBar1; }
    // The first snapshot of a loaded file in the bar view: `channels` bars of the first points,
    // the line series of those channels hidden, TrackBar1 from 1 to `dataLines` at 1 and Edit37
    // the label of the first point.
    void showFileSnapshot(int channels, int dataLines);

    // "Zapisz wykres jako obraz": the save dialog, then the chart as a PNG, SVG or PDF picture
    // at `size`, or at the chart's own size when `size` is empty. A name without one of those
    // extensions is saved as PNG with ".png" added.
    void savePictureAs(QSize size);

    // The series of the legend item last clicked (-1 before any click).
    int legendSeriesIndex() const { return m_legendSeriesIndex; }

signals:
    void aboutRequested();
    void closeRequested();
    void closeAndExitRequested();
    // SpeedButton3: the chart panel at its stored height (true) or folded (false).
    void chartExpandedToggled(bool expanded);
    void saveAsTextRequested();
    void printRequested();
    // The series reset while the chart holds a file: the loaded file is to be drawn again.
    void redrawFileRequested();

private:
    void buildToolBar();
    void buildMenus();
    QToolButton* addToolButton(const QString& name, const QString& hint,
                               QStyle::StandardPixmap icon);
    void buildChartArea();
    void buildCursors();
    void connectChart();
    void guarded(const std::function<void()>& handler);

    void chooseSeriesMode(SeriesClickMode item);
    void syncSeriesMenu();
    void showOnlyThickSeries();
    void onPointClicked(QCPAbstractPlottable* plottable, int dataIndex, QMouseEvent* event);
    void showPointValue(int series, int index);
    void onLegendClicked(QCPLegend* legend, QCPAbstractLegendItem* item, QMouseEvent* event);
    void deleteLegendSeries();
    void onTrackBarChanged(int position);
    void showBarsAt(int position);
    void advancePartView();

    ChartEnvironment m_env;
    SeriesMenu m_seriesMenu;
    bool m_autoScaling = false;
    bool m_chartExpanded = true;
    int m_partViewCounter = 0;
    int m_barCount = 0;
    int m_legendSeriesIndex = -1;

    QToolBar* ToolBar2;          // the chart tool bar
    QToolButton* ToolButton8;    // save chart as text
    QToolButton* ToolButton10;   // copy chart as bitmap
    QToolButton* ToolButton51;   // print
    QToolButton* PictureButton;  // save as picture, with the picture size menu
    QToolButton* ToolButton14;   // 3D view
    QToolButton* ToolButton22;   // auto-scaling, with the scaling menu
    QToolButton* ToolButton24;   // value marks
    QToolButton* ToolButton26;   // legend
    QToolButton* ToolButton17;   // whole or part view
    QToolButton* ToolButton29;   // series options reset, with the series menu
    QToolButton* ToolButton12;   // about and update
    QToolButton* ToolButton27;   // close and exit, with the close menu
    QToolButton* SpeedButton3;   // folds the chart panel ("V") or unfolds it ("X")
    QMenu* PopupMenu2;           // scaling menu
    QAction* Scalingofdiagram1;  // fit limits
    QAction* Setlimitofdiagram1; // typed limits
    QMenu* PopupMenu4;           // series menu
    QAction* YValue1;            // mode: Y value readout
    QAction* Visible1;           // mode: only thick series
    QAction* Thickline1;         // mode: thick line
    QAction* Deleteseries1;      // mode: delete series
    QAction* Marked1;            // mode: marks of a whole series
    QMenu* PopupMenu3;           // close menu
    QAction* Close1;             // close
    QAction* Closeandexit1;      // exit and close
    QMenu* PopupMenu9;           // legend menu
    QAction* Deleteseries2;      // switch the legend series off
    QAction* Movetoanalysis1;    // move series to analysis (hidden)
    QAction* Calibration1;       // calibration
    MonitorChart* Chart1;        // the chart
    QWidget* Panel16;            // bar view
    QSlider* TrackBar1;          // bar view position
    QLineEdit* Edit37;           // bar view time
    QPlainTextEdit* Memo2;       // hidden memo of the chart
    QLabel* Label33;             // point value readout
    ChartCursors* m_cursors;     // A/B cursors, with CursorsButton and their readout
};

} // namespace korvanta::chart::ui
