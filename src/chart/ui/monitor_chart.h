#pragma once
// The monitoring chart Chart1: the 64 line series k1..k64 (series index n - 1 is channel n) and
// the bar series Series72, with the live, dynamic and scaling steps that feed and fit it.

#include "acquisition/settings_record.h"
#include "acquisition/tick_view.h"
#include "chart/axis_limits.h"
#include "chart/series_state.h"
#include "chart/ui/chart_series.h"
#include "chart/vector_channel.h"
#include "files/data_file_loader.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <qcustomplot.h>
#include <span>
#include <vector>

namespace korvanta::chart::ui {

class DayTimeTicker;
class DepthShadows;

// Which series of a loaded file are shown: all that have points, or only those of the channels
// whose "Dodaj wykres" is set.
enum class FileSeries { All, Plotted };

class MonitorChart : public QCustomPlot {
    Q_OBJECT
public:
    static constexpr int kSeriesCount = 64;

    explicit MonitorChart(QWidget* parent = nullptr);
    ~MonitorChart() override;

    // Series by index 0..63 (nullptr outside); every per-series function below takes that index
    // and ignores one outside the range.
    ChartSeries* series(int index) const;
    QCPBars* barSeries() const { return Series72; }
    // The index of a line series, or -1 for any other plottable.
    int seriesIndexOf(const QCPAbstractPlottable* plottable) const;

    // A new measurement: every series emptied, hidden, normal, pen width 1.
    void clearForNewMeasurement();
    // Draws a loaded file: every series emptied, hidden and of pen width 1, the bars cleared and
    // hidden; then series p takes column p's points at X = 0, 1, 2 …, the file's labels (one
    // block shared by all series), the title of column name p and the colour of channel p + 1,
    // and is shown as `shown` says. The file's data is moved into the series; a series left
    // empty gives its storage back. The caller replots.
    void showFile(files::LoadedFile file, const acquisition::SettingsRecord& settings,
                  FileSeries shown);
    // Draws a loaded file for a picture of `size` pixels: as showFile shows all its series,
    // keeping those of `columns` (1-based; empty keeps all), fitted to their values, with the
    // legend. Each series holds only the points the picture draws, the first, lowest, highest and
    // last of every pixel column, so a file of millions of lines costs one pass over its values;
    // a series with a NaN value keeps all its points. The points carry no labels.
    void showFileForPicture(const files::LoadedFile& file,
                            const acquisition::SettingsRecord& settings,
                            const std::vector<int>& columns, QSize size);
    // The chart-point step (RysWyk): one bar per active channel, or one point per active channel
    // at X = now on its line series. The caller replots.
    void addLivePoints(const acquisition::SettingsRecord& settings,
                       std::span<const double, 64> values, double now, bool visible1Checked);
    // The dynamic drawing step: every eligible series redrawn from the whole data table (the
    // vector step may write into it). A channel whose input number is not 1..32 gets no points.
    void rysowanieD(const acquisition::TickView& view, const acquisition::SettingsRecord& settings,
                    const std::optional<VectorChannel>& vector);
    // "Skaluj granice wykresu": both value axes fitted to the considered series.
    void scaleToData(const acquisition::SettingsRecord& settings, bool monitoringRunning);
    // "Ustaw granice wykresu" after parsing: both value axes set to these limits.
    void setFixedLimits(double lower, double upper);
    // The limits last set. QCustomPlot cannot show an empty range, so equal limits are shown
    // as the value ± 1 while these keep what was set.
    AxisLimits valueLimits() const { return m_limits; }
    // Fits the bottom axis to the visible series, drawn from its start position on.
    void rescaleKeyAxis();
    // Where the bottom axis starts, in percent of the chart width (0 at the left edge); a
    // negative start stretches the axis to the left, so only the newest part is in view.
    double bottomAxisStart() const { return m_bottomAxisStart; }
    void setBottomAxisStart(double percent);
    // Time-of-day tick labels (live points) or point numbers (dynamic drawing, files).
    void setTimeAxis(bool dayTimes);

    SeriesState seriesState(int index) const;
    void setSeriesState(int index, SeriesState state);
    int penWidth(int index) const;
    void setPenWidth(int index, int width);
    // "Grubość linii": the pen width of all 64 series, at least 1.
    void setLineWidth(int width);
    bool seriesVisible(int index) const;
    void setSeriesVisible(int index, bool on);

    QColor seriesColor(int index) const;
    void setSeriesColor(int index, const QColor& color);
    void applySeriesColors(const acquisition::SettingsRecord& settings);
    // The record's colours are 0x00BBGGRR.
    static QColor colorFromRecord(std::uint32_t value);
    static std::uint32_t colorToRecord(const QColor& color);

    // Start-up: every factor 1, every state normal, every title the channel's label.
    void resetForStart(acquisition::SettingsRecord& settings);
    // The title, or "k" and the channel number when the text is empty.
    void setSeriesTitle(int index, const QString& title);
    QString seriesTitle(int index) const;
    void setSubtitle(const QString& text);
    QString subtitle() const;
    void setAxisTitles(const QString& left, const QString& right);

    bool legendVisible() const { return m_legendVisible; }
    void setLegendVisible(bool on);
    bool marksVisible(int index) const;
    void setMarksVisible(int index, bool on);
    void setAllMarksVisible(bool on);
    // "Marked": every series' marks switched to the opposite.
    void toggleAllMarks();
    bool depthView() const { return m_depthView; }
    void setDepthView(bool on);

    bool holdsFile() const { return m_holdsFile; }
    void setHoldsFile(bool on) { m_holdsFile = on; }

    void copyToClipboard();

    QString pointLabel(int series, int index) const;
    // Points held by the 64 line series and the bytes they take, labels included.
    std::size_t pointCount() const;
    std::size_t pointStorageBytes() const;

signals:
    // Every series emptied or replaced: a new measurement or a loaded file.
    void cleared();

private:
    void buildSeries();
    void fillFromColumn(ChartSeries& series, files::LoadedColumn& column,
                        const std::shared_ptr<const LabelTexts>& labels);
    // The points of `kept` (indexes of `values`, rising) at X = their index.
    static void setIndexedPoints(ChartSeries& series, std::span<const float> values,
                                 const std::vector<std::size_t>& kept);
    void applyLimits(AxisLimits limits);
    void refreshLegendItems();
    int axisRectRow() const { return m_subtitle != nullptr ? 1 : 0; }

    std::array<ChartSeries*, kSeriesCount> m_series{};
    QCPBars* Series72 = nullptr; // the bars of the bar view
    QCPTextElement* m_subtitle = nullptr;
    QCPLayoutGrid* m_legendColumn = nullptr; // the legend above a filler, right of the axes
    DepthShadows* m_shadows = nullptr;
    QSharedPointer<DayTimeTicker> m_ticker;
    AxisLimits m_limits;
    double m_bottomAxisStart = 0;
    std::array<bool, kSeriesCount> m_legendListed{};
    bool m_legendVisible = false;
    bool m_depthView = false;
    bool m_holdsFile = false;
};

} // namespace korvanta::chart::ui
